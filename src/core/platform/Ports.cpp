#include "platform/Ports.h"

#include <exception>

namespace zantor {

bool RunReported(Prompter& prompter, const std::function<void()>& command) {
    try {
        command();
        return true;
    } catch (const std::exception& e) {
        prompter.Error(e.what());
    } catch (...) {
        prompter.Error("Unexpected error");
    }
    return false;
}

} // namespace zantor
