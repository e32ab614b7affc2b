// Binary and unary operations: every code on ordinary values, the integer edge cases, and the
// stored, overridden and constant right operands.
#include <gtest/gtest.h>

#include <climits>
#include <cmath>

#include "RecordingContext.h"
#include "runtime/BinaryOpObject.h"
#include "runtime/UnaryOpObject.h"

namespace {

constexpr auto record = RecordingContext::record;

struct BinaryCase {
    BinaryOp op;
    float f, k, expected;
};

TEST(BinaryOp, EveryCodeOnOrdinaryValues)
{
    const BinaryCase cases[] = {
        {BinaryOp::Add, 2.5f, 1.0f, 3.5f},
        {BinaryOp::Subtract, 2.5f, 1.0f, 1.5f},
        {BinaryOp::Multiply, 2.5f, -2.0f, -5.0f},
        {BinaryOp::Divide, 3.0f, 2.0f, 1.5f},
        {BinaryOp::IntegerDivide, -7.9f, 2.0f, -3.0f},
        {BinaryOp::Remainder, -7.0f, 3.0f, -1.0f},
        {BinaryOp::PositiveModulo, 7.0f, 3.0f, 1.0f},
        {BinaryOp::ShiftLeft, 3.0f, 2.0f, 12.0f},
        {BinaryOp::ShiftRight, -16.0f, 2.0f, -4.0f},
        {BinaryOp::BitAnd, 6.0f, 3.0f, 2.0f},
        {BinaryOp::BitXor, 6.0f, 3.0f, 5.0f},
        {BinaryOp::BitOr, 6.0f, 3.0f, 7.0f},
        {BinaryOp::Equal, 2.0f, 2.0f, 1.0f},
        {BinaryOp::NotEqual, 2.0f, 2.0f, 0.0f},
        {BinaryOp::LogicalAnd, 2.0f, 0.0f, 0.0f},
        {BinaryOp::LogicalOr, 2.0f, 0.0f, 1.0f},
        {BinaryOp::Less, 1.0f, 2.0f, 1.0f},
        {BinaryOp::LessOrEqual, 2.0f, 2.0f, 1.0f},
        {BinaryOp::Greater, 1.0f, 2.0f, 0.0f},
        {BinaryOp::GreaterOrEqual, 1.0f, 2.0f, 0.0f},
        {BinaryOp::Maximum, 1.0f, 2.0f, 2.0f},
        {BinaryOp::Minimum, 1.0f, 2.0f, 1.0f},
        {BinaryOp::Power, 2.0f, 10.0f, 1024.0f},
        {BinaryOp::Power, -2.0f, 2.0f, 0.0f},
        {BinaryOp::ArcTangent2, 0.0f, 0.0f, 0.0f},
        {BinaryOp::ArcTangent2, -0.0f, -1.0f, std::atan2(-0.0f, -1.0f)},
    };
    for (const BinaryCase& c : cases) {
        EXPECT_EQ(applyBinaryOp(c.op, c.f, c.k), c.expected)
            << "op " << static_cast<int>(c.op) << " f " << c.f << " k " << c.k;
    }
}

TEST(BinaryOp, DivisionAndModuloEdgeCases)
{
    EXPECT_EQ(applyBinaryOp(BinaryOp::Divide, 1.0f, 0.0f), 0.0f);
    EXPECT_EQ(applyBinaryOp(BinaryOp::PositiveModulo, -7.0f, 3.0f), 2.0f);
    EXPECT_EQ(applyBinaryOp(BinaryOp::PositiveModulo, -7.0f, 0.5f), 0.0f);
    // The correction adds |k| as given, not its integer part.
    EXPECT_EQ(applyBinaryOp(BinaryOp::PositiveModulo, -7.0f, 2.5f), 1.5f);
    for (BinaryOp op : {BinaryOp::IntegerDivide, BinaryOp::Remainder, BinaryOp::PositiveModulo}) {
        EXPECT_EQ(applyBinaryOp(op, 5.0f, 0.9f), 0.0f) << static_cast<int>(op);
        EXPECT_EQ(applyBinaryOp(op, 5.0f, NAN), 0.0f) << static_cast<int>(op);
    }
    // INT_MIN by -1 would trap: the quotient saturates and the remainder is 0.
    const float intMin = -2147483648.0f;
    EXPECT_EQ(applyBinaryOp(BinaryOp::IntegerDivide, intMin, -1.0f), 2147483648.0f);
    EXPECT_EQ(applyBinaryOp(BinaryOp::IntegerDivide, -1e30f, -1.0f), 2147483648.0f);
    EXPECT_EQ(applyBinaryOp(BinaryOp::Remainder, intMin, -1.0f), 0.0f);
    EXPECT_EQ(applyBinaryOp(BinaryOp::PositiveModulo, intMin, -1.0f), 0.0f);
    EXPECT_EQ(applyBinaryOp(BinaryOp::IntegerDivide, 7.0f, -1.0f), -7.0f);
}

TEST(BinaryOp, IntegerOperandsSaturateAndShiftsWrapTheirAmount)
{
    EXPECT_EQ(applyBinaryOp(BinaryOp::BitOr, NAN, 3.0f), 3.0f);
    EXPECT_EQ(applyBinaryOp(BinaryOp::BitAnd, INFINITY, -1.0f), 2147483647.0f);
    EXPECT_EQ(applyBinaryOp(BinaryOp::BitAnd, -INFINITY, -1.0f), -2147483648.0f);
    EXPECT_EQ(applyBinaryOp(BinaryOp::ShiftLeft, 1.0f, 33.0f), 2.0f);
    EXPECT_EQ(applyBinaryOp(BinaryOp::ShiftLeft, 1.0f, -1.0f), -2147483648.0f) << "-1 mod 32 is 31";
    EXPECT_EQ(applyBinaryOp(BinaryOp::ShiftLeft, -1.0f, 4.0f), -16.0f);
    EXPECT_EQ(applyBinaryOp(BinaryOp::ShiftLeft, 3.0f, 31.0f), -2147483648.0f);
    EXPECT_EQ(applyBinaryOp(BinaryOp::ShiftRight, -1.0f, 31.0f), -1.0f) << "sign fills in";
    EXPECT_EQ(applyBinaryOp(BinaryOp::ShiftRight, -2147483648.0f, -1.0f), -1.0f);
    EXPECT_EQ(applyBinaryOp(BinaryOp::ShiftRight, 1024.0f, 32.0f), 1024.0f);
    EXPECT_EQ(applyBinaryOp(BinaryOp::ShiftRight, 1e30f, 30.0f), 1.0f);
}

TEST(BinaryOpObject, StoredOverriddenAndConstantRightOperands)
{
    RecordingContext context;
    BinaryOpObject object;
    object.init(3.0f);
    object.onMessage(&context, BinaryOp::Remainder, 0, floats(9, {10.0f}), record);
    object.onMessage(&context, BinaryOp::Remainder, 1, floats(0, {4.0f}), record);
    object.onMessage(&context, BinaryOp::Remainder, 0, floats(10, {10.0f}), record);
    object.onMessage(&context, BinaryOp::Remainder, 0, floats(11, {10.0f, 7.0f}), record);
    object.onMessage(&context, BinaryOp::Remainder, 0, floats(12, {10.0f}), record);
    object.onMessage(&context, BinaryOp::Remainder, 0, symbol(13, "x"), record);
    object.onMessage(&context, BinaryOp::Remainder, 1, bang(13), record);
    ASSERT_EQ(context.sent.size(), 4u);
    EXPECT_TRUE(context.sent[0].isFloat(1.0f));
    EXPECT_EQ(context.sent[0].timestamp, 9u);
    EXPECT_TRUE(context.sent[1].isFloat(2.0f));
    EXPECT_TRUE(context.sent[2].isFloat(3.0f));
    EXPECT_TRUE(context.sent[3].isFloat(3.0f)) << "element 1 became the stored operand";

    context.sent.clear();
    BinaryOpObject::onMessageConstant(
        &context, BinaryOp::Greater, 5.0f, 0, floats(1, {6.0f}), record);
    BinaryOpObject::onMessageConstant(
        &context, BinaryOp::Greater, 5.0f, 0, floats(2, {6.0f, 7.0f}), record);
    BinaryOpObject::onMessageConstant(
        &context, BinaryOp::Greater, 5.0f, 0, floats(3, {6.0f}), record);
    ASSERT_EQ(context.sent.size(), 3u);
    EXPECT_TRUE(context.sent[0].isFloat(1.0f));
    EXPECT_TRUE(context.sent[1].isFloat(0.0f));
    EXPECT_TRUE(context.sent[2].isFloat(1.0f)) << "the constant is not replaced";
}

TEST(UnaryOp, GuardedDomainsAndRounding)
{
    for (UnaryOp op : {UnaryOp::Sqrt, UnaryOp::Log, UnaryOp::Log2, UnaryOp::Log10}) {
        for (float x : {0.0f, -1.0f, -INFINITY})
            EXPECT_EQ(applyUnaryOp(op, x), 0.0f) << static_cast<int>(op);
    }
    EXPECT_FLOAT_EQ(applyUnaryOp(UnaryOp::Log2, 8.0f), 3.0f);
    EXPECT_FLOAT_EQ(applyUnaryOp(UnaryOp::Log10, 100.0f), 2.0f);
    EXPECT_EQ(applyUnaryOp(UnaryOp::Round, 2.5f), 3.0f);
    EXPECT_EQ(applyUnaryOp(UnaryOp::Round, -2.5f), -3.0f);
    EXPECT_EQ(applyUnaryOp(UnaryOp::Ceil, -1.5f), -1.0f);
    EXPECT_EQ(applyUnaryOp(UnaryOp::Floor, -1.5f), -2.0f);

    RecordingContext context;
    UnaryOpObject::onMessage(&context, UnaryOp::Floor, 0, floats(4, {2.7f, 9.0f}), record);
    UnaryOpObject::onMessage(&context, UnaryOp::Floor, 0, symbol(5, "x"), record);
    UnaryOpObject::onMessage(&context, UnaryOp::Floor, 1, floats(6, {2.7f}), record);
    ASSERT_EQ(context.sent.size(), 1u);
    EXPECT_TRUE(context.sent[0].isFloat(2.0f));
    EXPECT_EQ(context.sent[0].timestamp, 4u);
}

} // namespace
