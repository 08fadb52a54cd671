#include "play/EndKind.h"

std::string_view endKindName(EndKind kind)
{
    switch (kind) {
    case EndKind::BaseDestroyed: return "base destroyed";
    case EndKind::TimeUp: return "time up";
    case EndKind::Playing: break;
    }
    return "";
}
