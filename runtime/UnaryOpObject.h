// One-operand single-precision math on floats. Stateless. [audio-thread]
#pragma once

#include "KrellContextInterface.h"

class KrellContext;
struct Message;

enum class UnaryOp : int {
    ArcSine = 0,
    ArcSineH,
    ArcCosine,
    ArcCosineH,
    ArcTangent,
    ArcTangentH,
    Sine,
    SineH,
    Cosine,
    CosineH,
    Tangent,
    TangentH,
    Exp,
    Abs,
    Sqrt,
    Log,
    Log2,
    Log10,
    Ceil,
    Floor,
    Round
};

float applyUnaryOp(UnaryOp op, float x) noexcept;

struct UnaryOpObject {
    static void onMessage(
        KrellContext* context, UnaryOp op, int inlet, const Message* m, SendFunction out) noexcept;
};
