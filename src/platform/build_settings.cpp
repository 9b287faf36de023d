#include "platform/build_settings.h"

namespace velmora {

CBuildSettings theSettings;

}  // namespace velmora
