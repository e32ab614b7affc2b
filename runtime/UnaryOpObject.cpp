// One-operand single-precision math on floats. Audio thread only.
#include "UnaryOpObject.h"

#include <cmath>

#include "KrellContext.h"
#include "ObjectMessages.h"

namespace {

// Logarithms and the square root give 0 outside their domain instead of NaN.
float positiveOnly(float x, float (*f)(float)) noexcept
{
    return x > 0.0f ? f(x) : 0.0f;
}

float naturalLog(float x) noexcept
{
    return std::log(x);
}
float squareRoot(float x) noexcept
{
    return std::sqrt(x);
}

} // namespace

float applyUnaryOp(UnaryOp op, float x) noexcept
{
    switch (op) {
    case UnaryOp::ArcSine:
        return std::asin(x);
    case UnaryOp::ArcSineH:
        return std::asinh(x);
    case UnaryOp::ArcCosine:
        return std::acos(x);
    case UnaryOp::ArcCosineH:
        return std::acosh(x);
    case UnaryOp::ArcTangent:
        return std::atan(x);
    case UnaryOp::ArcTangentH:
        return std::atanh(x);
    case UnaryOp::Sine:
        return std::sin(x);
    case UnaryOp::SineH:
        return std::sinh(x);
    case UnaryOp::Cosine:
        return std::cos(x);
    case UnaryOp::CosineH:
        return std::cosh(x);
    case UnaryOp::Tangent:
        return std::tan(x);
    case UnaryOp::TangentH:
        return std::tanh(x);
    case UnaryOp::Exp:
        return std::exp(x);
    case UnaryOp::Abs:
        return std::fabs(x);
    case UnaryOp::Sqrt:
        return positiveOnly(x, squareRoot);
    case UnaryOp::Log:
        return positiveOnly(x, naturalLog);
    case UnaryOp::Log2:
        return positiveOnly(x, naturalLog) * 1.442695f;
    case UnaryOp::Log10:
        return positiveOnly(x, naturalLog) * 0.4342945f;
    case UnaryOp::Ceil:
        return std::ceil(x);
    case UnaryOp::Floor:
        return std::floor(x);
    case UnaryOp::Round:
        return std::round(x);
    }
    return 0.0f; // a code outside the enumeration
}

void UnaryOpObject::onMessage(
    KrellContext* context, UnaryOp op, int inlet, const Message* m, SendFunction out) noexcept
{
    if (inlet != 0 || !floatAt(m, 0))
        return;
    sendFloat(context, out, 0, m->timestamp, applyUnaryOp(op, m->floatAt(0)));
}
