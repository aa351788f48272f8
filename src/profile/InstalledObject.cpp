#include "profile/InstalledObject.h"

namespace quorvane {

std::string InstalledObject::Field(std::string_view value) {
    return std::string(value.substr(0, kMaxFieldLength));
}

} // namespace quorvane
