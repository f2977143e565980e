#include "xmlfile/XmlFile.h"

#include "platform/AppError.h"
#include "platform/AtomicFile.h"
#include "platform/Ports.h"

#include <sstream>

namespace zantor::xml {

namespace {

constexpr unsigned kParseOptions = pugi::parse_default | pugi::parse_comments | pugi::parse_pi;

void CheckResult(const pugi::xml_parse_result& result, const std::string& what) {
    if (!result) throw AppError(what + ": " + result.description());
}

void AppendText(pugi::xml_node node, std::string& out) {
    switch (node.type()) {
    case pugi::node_pcdata:
    case pugi::node_cdata:
        out += node.value();
        break;
    case pugi::node_element:
        for (pugi::xml_node child : node.children())
            AppendText(child, out);
        break;
    default:
        break;
    }
}

} // namespace

void Load(pugi::xml_document& doc, const std::filesystem::path& path) {
    std::string bytes = ReadFileBytes(path);
    CheckResult(doc.load_buffer(bytes.data(), bytes.size(), kParseOptions, pugi::encoding_auto),
                path.string());
}

void LoadFromText(pugi::xml_document& doc, std::string_view text) {
    CheckResult(doc.load_buffer(text.data(), text.size(), kParseOptions, pugi::encoding_auto), "XML text");
}

std::string Serialize(const pugi::xml_document& doc) {
    std::ostringstream out;
    doc.save(out, "", pugi::format_raw | pugi::format_no_declaration, pugi::encoding_utf8);
    return std::move(out).str();
}

void Save(const pugi::xml_document& doc, const std::filesystem::path& path) {
    WriteFileAtomic(path, Serialize(doc));
}

pugi::xml_node Root(const pugi::xml_document& doc) {
    pugi::xml_node root = doc.document_element();
    if (!root) throw AppError("The XML document has no root element");
    return root;
}

pugi::xml_node ChildAt(pugi::xml_node parent, std::size_t position) {
    std::size_t i = 0;
    for (pugi::xml_node child : parent.children()) {
        if (i++ == position) return child;
    }
    throw AppError("List index out of bounds (" + std::to_string(position) + ")");
}

std::size_t ChildCount(pugi::xml_node parent) {
    std::size_t n = 0;
    for ([[maybe_unused]] pugi::xml_node child : parent.children())
        ++n;
    return n;
}

std::string Text(pugi::xml_node node) {
    std::string out;
    if (node.type() == pugi::node_element) {
        AppendText(node, out);
    } else {
        out = node.value();
    }
    return out;
}

std::string RequiredAttribute(pugi::xml_node element, const char* name) {
    pugi::xml_attribute a = element.attribute(name);
    if (!a) throw AppError(kNullToString);
    return a.value();
}

void RequireElement(pugi::xml_node node) {
    if (node.type() != pugi::node_element) throw AppError("The node is not an element");
}

ReadOutcome ReadFile(const std::filesystem::path& path, Prompter& prompter, const ReadMessages& messages,
                     const std::function<void(pugi::xml_node root)>& body) {
    std::error_code ec;
    if (!std::filesystem::is_regular_file(path, ec)) {
        if (!messages.notFound.empty()) prompter.Message(messages.notFound);
        return ReadOutcome::NotFound;
    }
    try {
        pugi::xml_document doc;
        Load(doc, path);
        body(Root(doc));
        return ReadOutcome::Read;
    } catch (const std::exception&) {
        prompter.Message(messages.readError);
        return ReadOutcome::Failed;
    }
}

void WriteFile(const std::filesystem::path& path, const char* rootName,
               const std::function<void(pugi::xml_node root)>& fill) {
    pugi::xml_document doc;
    pugi::xml_node root = doc.append_child(rootName);
    fill(root);
    Save(doc, path);
}

pugi::xml_node AppendRow(pugi::xml_node parent, const char* name, const Attributes& attributes) {
    pugi::xml_node row = parent.append_child(name);
    for (const auto& [key, value] : attributes)
        row.append_attribute(key).set_value(value.c_str());
    return row;
}

pugi::xml_node AppendTextElement(pugi::xml_node parent, const char* name, const std::string& text) {
    pugi::xml_node e = parent.append_child(name);
    if (!text.empty()) e.append_child(pugi::node_pcdata).set_value(text.c_str());
    return e;
}

} // namespace zantor::xml
