// Routes every message to outlet 1 when its condition holds, else to outlet 0. Audio thread only.
#include "BranchObject.h"

#include <cmath>

#include "KrellContext.h"
#include "ObjectMessages.h"

void BranchObject::init(bool initialCondition) noexcept
{
    condition = initialCondition;
}

void BranchObject::onMessage(
    KrellContext* context, int inlet, const Message* m, SendFunction out) noexcept
{
    if (inlet == 0) {
        out(context, condition ? 1 : 0, m);
    } else if (inlet == 1 && floatAt(m, 0)) {
        const float value = m->floatAt(0);
        // NaN compares unequal to 0 but must not open the branch.
        condition = value != 0.0f && !std::isnan(value);
    }
}
