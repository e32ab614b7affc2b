// Converts a message to a bang, a float or a symbol. Audio thread only.
#include "CastObject.h"

#include "KrellContext.h"
#include "ObjectMessages.h"

namespace {

void castToSymbol(KrellContext* context, const Message* m, SendFunction out) noexcept
{
    if (m->numElements == 0)
        return;
    const char* name = nullptr;
    switch (m->type(0)) {
    case ElementType::Float:
        name = "float";
        break;
    case ElementType::Bang:
        name = "bang";
        break;
    case ElementType::Symbol:
        out(context, 0, m);
        return;
    default:
        return;
    }
    MessageStorage<1> storage;
    out(context, 0, Message::initWithSymbol(&storage, m->timestamp, name));
}

} // namespace

void CastObject::onMessage(
    KrellContext* context, CastKind kind, int inlet, const Message* m, SendFunction out) noexcept
{
    if (inlet != 0)
        return;
    switch (kind) {
    case CastKind::ToBang:
        sendBang(context, out, 0, m->timestamp);
        return;
    case CastKind::ToFloat:
        if (floatAt(m, 0))
            sendFloat(context, out, 0, m->timestamp, m->floatAt(0));
        return;
    case CastKind::ToSymbol:
        castToSymbol(context, m, out);
        return;
    }
}
