#include "baseutil/UserChannels.h"

namespace mb {

const UserChannels& QuietChannels() {
    static const UserChannels channels;
    return channels;
}

} // namespace mb
