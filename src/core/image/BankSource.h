#pragma once

#include "image/DeviceImage.h"

#include <filesystem>
#include <string>

namespace zantor {

// The whole bankg.c text for bank 1, every line ended by CR LF.
std::string RenderBankSource(const BankImage& bank1);

// Writes bankg.c into binFolder; throws AppError "Cannot create file "%s". %s" when it cannot.
void WriteBankSource(const BankSet& set, const std::filesystem::path& binFolder);

} // namespace zantor
