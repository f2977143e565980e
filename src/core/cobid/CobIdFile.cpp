#include "cobid/CobIdFile.h"

#include "platform/AppError.h"
#include "platform/AtomicFile.h"
#include "xmlfile/XmlFile.h"

namespace zantor {

const char* DirectionName(Direction direction) {
    return direction == Direction::Can0_to_Can1 ? "Can0_to_Can1" : "Can1_to_Can0";
}

std::size_t RowsForNetworkType(int networkType) {
    switch (networkType) {
    case 0:
        return kRowsCan20A;
    case 1:
        return kRowsCan20B;
    default:
        return 0;
    }
}

pugi::xml_node FindDirection(const pugi::xml_document& doc, Direction direction) {
    pugi::xml_node root = doc.child(kCobIdRoot);
    if (!root) throw AppError(std::string("The element ") + kCobIdRoot + " is missing");
    pugi::xml_node node = root.child(DirectionName(direction));
    if (!node) throw AppError(std::string("The element ") + DirectionName(direction) + " is missing");
    return node;
}

void ForEachRow(pugi::xml_node direction, const std::function<bool(CobIdPair&& row)>& take) {
    for (pugi::xml_node row : direction.children()) {
        CobIdPair pair;
        pair.original = xml::RequiredAttribute(row, "Orig_CobID");
        pair.modified = xml::RequiredAttribute(row, "Mod_CobID");
        pair.description = row.attribute("Desc").value();
        if (!take(std::move(pair))) return;
    }
}

DirectionTable ReadDirectionTable(const std::filesystem::path& file, Direction direction) {
    pugi::xml_document doc;
    xml::Load(doc, file);
    DirectionTable rows;
    ForEachRow(FindDirection(doc, direction), [&](CobIdPair&& row) {
        rows.push_back(std::move(row));
        return true;
    });
    return rows;
}

std::string SerializeCobIdTables(const DirectionTable& can0ToCan1, const DirectionTable& can1ToCan0) {
    pugi::xml_document doc;
    pugi::xml_node root = doc.append_child(kCobIdRoot);
    auto append = [&](Direction d, const DirectionTable& rows) {
        pugi::xml_node node = root.append_child(DirectionName(d));
        for (const CobIdPair& p : rows) {
            pugi::xml_node row = node.append_child("row");
            row.append_attribute("Orig_CobID").set_value(p.original.c_str());
            row.append_attribute("Mod_CobID").set_value(p.modified.c_str());
            row.append_attribute("Desc").set_value(p.description.c_str());
        }
    };
    append(Direction::Can0_to_Can1, can0ToCan1);
    append(Direction::Can1_to_Can0, can1ToCan0);
    return xml::Serialize(doc);
}

void WriteCobIdFile(const std::filesystem::path& file, const DirectionTable& can0ToCan1,
                    const DirectionTable& can1ToCan0) {
    WriteFileAtomic(file, SerializeCobIdTables(can0ToCan1, can1ToCan0));
}

} // namespace zantor
