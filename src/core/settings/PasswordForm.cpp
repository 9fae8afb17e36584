#include "settings/PasswordForm.h"

#include <string_view>

namespace vantelo {

namespace {

constexpr size_t kPasswordLimit = 20;
constexpr const char* kLengthFault = "Password length between 1-20  ";
constexpr const char* kConfirmFault = "Confirm password fail";

bool HasPasswordLength(std::string_view text) {
    return !text.empty() && text.size() <= kPasswordLimit;
}

}  // namespace

int ReadPasswordForm(const DialogFields& fields, const DeviceRecord& target, DeviceRecord* request,
                     FormFault* fault) {
    std::string_view original = FieldText(fields, ControlId::OriginalPassword);
    std::string_view typed = FieldText(fields, ControlId::NewPassword);
    std::string_view confirmed = FieldText(fields, ControlId::ConfirmPassword);
    if (!HasPasswordLength(original) || !HasPasswordLength(typed)) {
        *fault = FormFault{kLengthFault};
        return -1;
    }
    if (!HasPasswordLength(confirmed) || confirmed != typed) {
        *fault = FormFault{kConfirmFault};
        return -1;
    }
    DeviceRecord built = target;
    CopyField(built.password, original.data(), original.size());
    CopyField(built.newPassword, typed.data(), typed.size());
    *request = built;
    return 0;
}

}  // namespace vantelo
