// The two composites that recur in the sequencer, built from runtime objects: truncation toward
// zero and the exact counter. Each use site is one instantiation, because an outlet function
// knows its place in the graph only by its address. [audio-thread]
#pragma once

#include "GrooveGraph.h"
#include "PatchMessages.h"
#include "runtime/BinaryOpObject.h"
#include "runtime/BranchObject.h"
#include "runtime/UnaryOpObject.h"

using BranchAccessor = BranchObject& (*)(KrellContextInterface* context);

// x > 0 goes through floor, anything else through ceil; both continue at Next.
template <BranchAccessor Branch, SendFunction Next> struct Truncation {
    static void input(KrellContextInterface* context, int, const Message* m) noexcept
    {
        BinaryOpObject::onMessageConstant(
            contextOf(context), BinaryOp::Greater, 0.0f, 0, m, &setCondition);
        Branch(context).onMessage(contextOf(context), 0, m, &round);
    }

private:
    static void setCondition(KrellContextInterface* context, int, const Message* m) noexcept
    {
        Branch(context).onMessage(contextOf(context), 1, m, &ignoreOutlet);
    }
    static void round(KrellContextInterface* context, int outlet, const Message* m) noexcept
    {
        UnaryOpObject::onMessage(
            contextOf(context), outlet == 1 ? UnaryOp::Floor : UnaryOp::Ceil, 0, m, Next);
    }
};

// A banged VarObject yields x, truncated to m; (m + 1) mod Site::kWrap is stored back through the
// cold inlet, then m goes on to Site::next. Wrapping keeps the float count exact forever; the wrap
// is a multiple of every modulus the count is tested against, so no test sees it.
// Site provides: var(context), branch(context), kWrap, next.
template <typename Site> struct Counter {
    static void bang(KrellContextInterface* context, uint32_t timestamp) noexcept
    {
        MessageStorage<1> storage;
        Site::var(context).onMessage(contextOf(context), 0,
            Message::initWithBang(&storage, timestamp),
            &Truncation<&Site::branch, &counted>::input);
    }

private:
    static void counted(KrellContextInterface* context, int, const Message* m) noexcept
    {
        BinaryOpObject::onMessageConstant(contextOf(context), BinaryOp::Add, 1.0f, 0, m, &wrap);
        Site::next(context, 0, m);
    }
    static void wrap(KrellContextInterface* context, int, const Message* m) noexcept
    {
        BinaryOpObject::onMessageConstant(
            contextOf(context), BinaryOp::Remainder, Site::kWrap, 0, m, &store);
    }
    static void store(KrellContextInterface* context, int, const Message* m) noexcept
    {
        Site::var(context).onMessage(contextOf(context), 1, m, &ignoreOutlet);
    }
};
