// Two-operand arithmetic on floats, with a stored or a constant right operand. Audio thread only.
#include "BinaryOpObject.h"

#include <algorithm>
#include <climits>
#include <cmath>
#include <cstdlib>

#include "KrellContext.h"
#include "NumberConversions.h"
#include "ObjectMessages.h"

namespace {

// Shift amounts are taken mod 32 on the unsigned pattern, so a negative k shifts by 32 - |k|
// mod 32.
uint32_t shiftAmount(int32_t k) noexcept
{
    return static_cast<uint32_t>(k) & 31u;
}

int32_t shiftLeft(int32_t a, int32_t k) noexcept
{
    return static_cast<int32_t>(static_cast<uint32_t>(a) << shiftAmount(k));
}

// Arithmetic (sign-filling) right shift done on unsigned values.
int32_t shiftRight(int32_t a, int32_t k) noexcept
{
    const uint32_t bits = static_cast<uint32_t>(a);
    const uint32_t s = shiftAmount(k);
    return static_cast<int32_t>(a < 0 ? ~(~bits >> s) : bits >> s);
}

// INT_MIN / -1 overflows (and traps on x86): the quotient saturates, the remainder is 0.
int32_t integerDivide(int32_t a, int32_t b) noexcept
{
    if (b == 0)
        return 0;
    if (b == -1)
        return a == INT32_MIN ? INT32_MAX : -a;
    return a / b;
}

int32_t integerRemainder(int32_t a, int32_t b) noexcept
{
    return b == 0 || b == -1 ? 0 : a % b;
}

float positiveModulo(float f, float k) noexcept
{
    const int32_t r = integerRemainder(saturatingToInt32(f), saturatingToInt32(k));
    return r < 0 ? static_cast<float>(r) + std::fabs(k) : static_cast<float>(r);
}

float integerOp(BinaryOp op, int32_t a, int32_t b) noexcept
{
    switch (op) {
    case BinaryOp::IntegerDivide:
        return static_cast<float>(integerDivide(a, b));
    case BinaryOp::Remainder:
        return static_cast<float>(integerRemainder(a, b));
    case BinaryOp::ShiftLeft:
        return static_cast<float>(shiftLeft(a, b));
    case BinaryOp::ShiftRight:
        return static_cast<float>(shiftRight(a, b));
    case BinaryOp::BitAnd:
        return static_cast<float>(a & b);
    case BinaryOp::BitXor:
        return static_cast<float>(a ^ b);
    case BinaryOp::BitOr:
        return static_cast<float>(a | b);
    default:
        return 0.0f;
    }
}

float truth(bool b) noexcept
{
    return b ? 1.0f : 0.0f;
}

} // namespace

float applyBinaryOp(BinaryOp op, float f, float k) noexcept
{
    switch (op) {
    case BinaryOp::Add:
        return f + k;
    case BinaryOp::Subtract:
        return f - k;
    case BinaryOp::Multiply:
        return f * k;
    case BinaryOp::Divide:
        return k == 0.0f ? 0.0f : f / k;
    case BinaryOp::IntegerDivide:
    case BinaryOp::Remainder:
    case BinaryOp::ShiftLeft:
    case BinaryOp::ShiftRight:
    case BinaryOp::BitAnd:
    case BinaryOp::BitXor:
    case BinaryOp::BitOr:
        return integerOp(op, saturatingToInt32(f), saturatingToInt32(k));
    case BinaryOp::PositiveModulo:
        return positiveModulo(f, k);
    case BinaryOp::Equal:
        return truth(f == k);
    case BinaryOp::NotEqual:
        return truth(f != k);
    case BinaryOp::LogicalAnd:
        return truth(f != 0.0f && k != 0.0f);
    case BinaryOp::LogicalOr:
        return truth(f != 0.0f || k != 0.0f);
    case BinaryOp::Less:
        return truth(f < k);
    case BinaryOp::LessOrEqual:
        return truth(f <= k);
    case BinaryOp::Greater:
        return truth(f > k);
    case BinaryOp::GreaterOrEqual:
        return truth(f >= k);
    case BinaryOp::Maximum:
        return std::max(f, k);
    case BinaryOp::Minimum:
        return std::min(f, k);
    case BinaryOp::Power:
        return f > 0.0f ? std::pow(f, k) : 0.0f;
    case BinaryOp::ArcTangent2:
        return f == 0.0f && k == 0.0f ? 0.0f : std::atan2(f, k);
    }
    return 0.0f; // a code outside the enumeration
}

void BinaryOpObject::init(float initialK) noexcept
{
    k = initialK;
}

void BinaryOpObject::onMessage(
    KrellContext* context, BinaryOp op, int inlet, const Message* m, SendFunction out) noexcept
{
    if (!floatAt(m, 0))
        return;
    if (inlet == 1) {
        k = m->floatAt(0);
    } else if (inlet == 0) {
        if (floatAt(m, 1))
            k = m->floatAt(1);
        sendFloat(context, out, 0, m->timestamp, applyBinaryOp(op, m->floatAt(0), k));
    }
}

void BinaryOpObject::onMessageConstant(KrellContext* context, BinaryOp op, float k, int inlet,
    const Message* m, SendFunction out) noexcept
{
    if (inlet != 0 || !floatAt(m, 0))
        return;
    const float right = floatAt(m, 1) ? m->floatAt(1) : k;
    sendFloat(context, out, 0, m->timestamp, applyBinaryOp(op, m->floatAt(0), right));
}
