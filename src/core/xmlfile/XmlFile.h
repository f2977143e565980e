#pragma once

#include <pugixml.hpp>

#include <filesystem>
#include <functional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace zantor {

class Prompter;

namespace xml {

// Reading failures below are raised as AppError; the callers decide which message the user sees.

// Parses the file as every project file is read: comments and processing instructions stay as
// nodes (so a non-element child is seen), whitespace-only text is dropped (so hand-indented files
// read like ours). Throws when the file cannot be read or is not well-formed.
void Load(pugi::xml_document& doc, const std::filesystem::path& path);
void LoadFromText(pugi::xml_document& doc, std::string_view text);

// The document as the program writes it: raw, no declaration, no indentation, UTF-8.
std::string Serialize(const pugi::xml_document& doc);

// Serialises and writes the document atomically; throws AppError on failure.
void Save(const pugi::xml_document& doc, const std::filesystem::path& path);

// The root element (first top-level element); throws when there is none.
pugi::xml_node Root(const pugi::xml_document& doc);

// The child node at a position counted from 0; throws when the parent has fewer children.
pugi::xml_node ChildAt(pugi::xml_node parent, std::size_t position);

std::size_t ChildCount(pugi::xml_node parent);

// The concatenated text of the node and its descendants.
std::string Text(pugi::xml_node node);

// An attribute that must be present; a missing one fails like a null value turned into text.
std::string RequiredAttribute(pugi::xml_node element, const char* name);

// An element that is not an element node fails: table rows must be elements.
void RequireElement(pugi::xml_node node);

inline constexpr const char* kNullToString = "Could not convert variant of type (Null) into type (String)";

// Messages of the common read pattern.
inline constexpr const char* kFileNotFound = "File XML not found";
inline constexpr const char* kReadError = "Error in reading file XML";

struct ReadMessages {
    std::string notFound = kFileNotFound; // empty: a missing file is passed over silently
    std::string readError = kReadError;
};

enum class ReadOutcome { Read, NotFound, Failed };

// The common read pattern: a missing file shows the not-found message; any failure while loading
// or inside body shows the reading-error message once, keeping what body took before it.
ReadOutcome ReadFile(const std::filesystem::path& path, Prompter& prompter, const ReadMessages& messages,
                     const std::function<void(pugi::xml_node root)>& body);

// The common write pattern: a new document with the named root, filled by fill, saved whole.
void WriteFile(const std::filesystem::path& path, const char* rootName,
               const std::function<void(pugi::xml_node root)>& fill);

using Attributes = std::vector<std::pair<const char*, std::string>>;

// Appends a child element whose attributes are set in the given order.
pugi::xml_node AppendRow(pugi::xml_node parent, const char* name, const Attributes& attributes);

// Appends a child element holding the text.
pugi::xml_node AppendTextElement(pugi::xml_node parent, const char* name, const std::string& text);

} // namespace xml
} // namespace zantor
