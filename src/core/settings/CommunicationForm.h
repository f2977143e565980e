#pragma once

#include <array>
#include <string>

namespace zantor {

class Workspace;
class Prompter;

// Baud rates in kbit/s; a port's rate is stored as its index in this list.
inline constexpr std::array<const char*, 9> kBaudRates = {"10",  "20",  "50",  "100", "125",
                                                          "250", "500", "800", "1000"};

inline constexpr const char* kPargenRoot = "ParametriGenerali";

// The six values of pargen.xml, in file order. -1 stands for "nothing selected".
struct CommunicationSettings {
    int boud0 = 5;
    int boud1 = 5;
    int type = 0;
    bool positive = false;
    bool baudDipC0 = false;
    bool baudDipC1 = false;

    bool operator==(const CommunicationSettings&) const = default;
};

// pargen.xml as the program writes it: the root and six elements in their fixed order.
std::string SerializeCommunicationSettings(const CommunicationSettings& settings);

// "SET COMMUNICATION": the values stay for the whole run; Cancel does not restore them.
class CommunicationForm {
public:
    CommunicationForm(Workspace& workspace, Prompter& prompter);

    // What the window's controls hold.
    CommunicationSettings values;
    bool device1Visible = true;

    // Dip-switch rule: a port whose rate comes from its dip switches has its list greyed out.
    bool ComboBox1Enabled() const { return !values.baudDipC0; }
    bool ComboBox2Enabled() const { return !values.baudDipC1; }

    // Load, each time the window is shown.
    void FormShow();
    // Confirm ("OK", and project creation): sets the process-wide network type and flag first,
    // then writes pargen.xml. Throws AppError when the file cannot be written.
    void BitBtn1Click();

private:
    Workspace& workspace_;
    Prompter& prompter_;
};

} // namespace zantor
