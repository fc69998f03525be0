// The transport's key map.
#include "transport_keys.h"

#include <raylib.h>

#include "sync/tempo.h"

namespace {

int StepRows(KeyModifiers modifiers)
{
    if (modifiers.control) return 1;
    return modifiers.shift ? ROWS_PER_BAR : ROWS_PER_BEAT;
}

}  // namespace

std::optional<TransportAction> TransportActionForKey(int key, KeyModifiers modifiers, bool repeat)
{
    if (repeat && key != KEY_LEFT && key != KEY_RIGHT) return std::nullopt;
    switch (key) {
    case KEY_SPACE:
        return TransportAction{TransportMove::TogglePlay};
    case KEY_LEFT:
        return TransportAction{TransportMove::Step, -StepRows(modifiers)};
    case KEY_RIGHT:
        return TransportAction{TransportMove::Step, StepRows(modifiers)};
    case KEY_HOME:
        return TransportAction{TransportMove::ToStart};
    case KEY_END:
        return TransportAction{TransportMove::ToLastRow};
    case KEY_LEFT_BRACKET:
        return TransportAction{TransportMove::MarkLoopStart};
    case KEY_RIGHT_BRACKET:
        return TransportAction{TransportMove::MarkLoopEnd};
    case KEY_L:
        return TransportAction{TransportMove::ToggleLoop};
    default:
        return std::nullopt;
    }
}

void ApplyTransportAction(Transport& transport, TransportAction action, double now)
{
    switch (action.move) {
    case TransportMove::TogglePlay:
        transport.TogglePlay(now);
        break;
    case TransportMove::Step:
        transport.StepRows(action.rows, now);
        break;
    case TransportMove::ToStart:
        transport.ToStart(now);
        break;
    case TransportMove::ToLastRow:
        transport.ToLastRow(now);
        break;
    case TransportMove::MarkLoopStart:
        transport.MarkLoopStart();
        break;
    case TransportMove::MarkLoopEnd:
        transport.MarkLoopEnd();
        break;
    case TransportMove::ToggleLoop:
        transport.ToggleLoop();
        break;
    }
}
