#include "settings/CommunicationForm.h"

#include "platform/AtomicFile.h"
#include "platform/Ports.h"
#include "text/IntegerText.h"
#include "workspace/Workspace.h"
#include "xmlfile/XmlFile.h"

namespace zantor {

namespace {

int ListIndex(std::int32_t value) {
    return value >= 0 && value < int(kBaudRates.size()) ? value : -1;
}

int RadioIndex(std::int32_t value) {
    if (value < 0) return -1;
    return value > 1 ? 1 : value;
}

bool Ticked(pugi::xml_node node) {
    return IntegerText::Parse(xml::Text(node)) == 1;
}

const char* Flag(bool ticked) {
    return ticked ? "1" : "0";
}

} // namespace

std::string SerializeCommunicationSettings(const CommunicationSettings& s) {
    pugi::xml_document doc;
    pugi::xml_node root = doc.append_child(kPargenRoot);
    xml::AppendTextElement(root, "Boud0", std::to_string(s.boud0));
    xml::AppendTextElement(root, "Boud1", std::to_string(s.boud1));
    xml::AppendTextElement(root, "Type", std::to_string(s.type));
    xml::AppendTextElement(root, "Positive", Flag(s.positive));
    xml::AppendTextElement(root, "Baud_Dip_C0", Flag(s.baudDipC0));
    xml::AppendTextElement(root, "Baud_Dip_C1", Flag(s.baudDipC1));
    return xml::Serialize(doc);
}

CommunicationForm::CommunicationForm(Workspace& workspace, Prompter& prompter)
    : workspace_(workspace), prompter_(prompter) {}

void CommunicationForm::FormShow() {
    device1Visible = true;
    // Each value is set as soon as it is read, so a failure keeps the ones before it.
    xml::ReadFile(workspace_.state.paths.pargen, prompter_, {}, [this](pugi::xml_node root) {
        values.boud0 = ListIndex(IntegerText::Strict(xml::Text(xml::ChildAt(root, 0))));
        values.boud1 = ListIndex(IntegerText::Strict(xml::Text(xml::ChildAt(root, 1))));
        values.type = RadioIndex(IntegerText::WithDefault(xml::Text(xml::ChildAt(root, 2)), 0));
        values.positive = Ticked(xml::ChildAt(root, 3));
        values.baudDipC0 = Ticked(xml::ChildAt(root, 4));
        values.baudDipC1 = Ticked(xml::ChildAt(root, 5));
    });
}

void CommunicationForm::BitBtn1Click() {
    workspace_.networkType = values.type;
    workspace_.positive = values.positive;
    WriteFileAtomic(workspace_.state.paths.pargen, SerializeCommunicationSettings(values));
}

} // namespace zantor
