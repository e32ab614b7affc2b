// Two-operand arithmetic on floats: with a stored right operand (inlet 1 sets it) or with a
// constant one. [audio-thread]
#pragma once

#include "KrellContextInterface.h"

class KrellContext;
struct Message;

enum class BinaryOp : int {
    Add = 0,
    Subtract,
    Multiply,
    Divide,
    IntegerDivide,
    Remainder,
    PositiveModulo,
    ShiftLeft,
    ShiftRight,
    BitAnd,
    BitXor,
    BitOr,
    Equal,
    NotEqual,
    LogicalAnd,
    LogicalOr,
    Less,
    LessOrEqual,
    Greater,
    GreaterOrEqual,
    Maximum,
    Minimum,
    Power,
    ArcTangent2
};

// op(f, k) for any floats, NaN and infinities included, without undefined behaviour.
float applyBinaryOp(BinaryOp op, float f, float k) noexcept;

struct BinaryOpObject {
    float k = 0.0f;

    void init(float k) noexcept;
    void onMessage(
        KrellContext* context, BinaryOp op, int inlet, const Message* m, SendFunction out) noexcept;
    // The constant form: element 1 overrides the constant when it is a float.
    static void onMessageConstant(KrellContext* context, BinaryOp op, float k, int inlet,
        const Message* m, SendFunction out) noexcept;
};
