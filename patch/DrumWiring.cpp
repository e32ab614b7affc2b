// One drum's sequencer wiring; see DrumWiring.h. Audio thread only.
//
// Paths through the unit:
//   Length receiver -> parameter value -> "length" l -> command router -> length value ->
//   truncation -> L Pattern receiver -> parameter value -> "seed" p -> command router -> seed unit
//   seed unit: float stored into P, then P -> truncation -> "seed" P -> element 1 -> G's state
//   tick value -> remainder K -> on 0: step
//   step: step counter (k) -> remainder L -> on 0: reseed from P; then G -> x M -> floor -> stroke
//   switch
#include "DrumWiring.h"

#include "Composites.h"
#include "GrooveGraph.h"
#include "PatchMessages.h"
#include "runtime/CastObject.h"
#include "runtime/RandomObject.h"

namespace {
constexpr float kTempoValues[] = {0.0f, 1.0f, 2.0f, 3.0f, 4.0f};
// Ticks per step for each Tempo value.
constexpr float kTickModuli[] = {12.0f, 16.0f, 24.0f, 36.0f, 48.0f};
constexpr float kStrokeSwitchValues[kStrokeEntryCount] = {
    0.0f, 1.0f, 2.0f, 3.0f, 4.0f, 5.0f, 6.0f, 7.0f};
constexpr uint32_t kLengthWordHash = hashString("length");
constexpr uint32_t kSeedWordHash = hashString("seed");

template <int Drum> DrumUnit& unitOf(KrellContextInterface* context) noexcept
{
    return graphOf(context).drums[Drum];
}
template <int Drum> BranchObject& lengthBranch(KrellContextInterface* context) noexcept
{
    return unitOf<Drum>(context).lengthTruncation;
}
template <int Drum> BranchObject& seedBranch(KrellContextInterface* context) noexcept
{
    return unitOf<Drum>(context).seedTruncation;
}
} // namespace

// Lengths -16 to 16 (the host sets 4 to 16) divide the wrap, 720720, or reseed every step (0);
// any other length, such as 17 or 1337, cuts one pattern cycle short once every 720720 steps.
template <int Drum> struct DrumWiring<Drum>::StepCounterSite {
    static constexpr float kWrap = 720720.0f;
    static VarObject& var(KrellContextInterface* context) noexcept
    {
        return unitOf<Drum>(context).stepCounter;
    }
    static BranchObject& branch(KrellContextInterface* context) noexcept
    {
        return unitOf<Drum>(context).stepTruncation;
    }
    static void next(KrellContextInterface* context, int outlet, const Message* m) noexcept
    {
        DrumWiring<Drum>::onStepCount(context, outlet, m);
    }
};

// --- Length and Pattern parameters, re-formed into commands for the router.

template <int Drum>
void DrumWiring<Drum>::onLengthParameter(
    KrellContextInterface* context, int, const Message* m) noexcept
{
    unitOf<Drum>(context).lengthParameter.onMessage(contextOf(context), 0, m, &sendLengthCommand);
}

template <int Drum>
void DrumWiring<Drum>::onPatternParameter(
    KrellContextInterface* context, int, const Message* m) noexcept
{
    unitOf<Drum>(context).patternParameter.onMessage(contextOf(context), 0, m, &sendSeedCommand);
}

template <int Drum>
void DrumWiring<Drum>::sendLengthCommand(
    KrellContextInterface* context, int, const Message* m) noexcept
{
    sendWordWithFirst(context, &routeCommand, "length", m);
}

template <int Drum>
void DrumWiring<Drum>::sendSeedCommand(
    KrellContextInterface* context, int, const Message* m) noexcept
{
    sendWordWithFirst(context, &routeCommand, "seed", m);
}

template <int Drum>
void DrumWiring<Drum>::routeCommand(KrellContextInterface* context, int, const Message* m) noexcept
{
    uint32_t word;
    if (!selectorHash(m, &word))
        return;
    DrumUnit& unit = unitOf<Drum>(context);
    if (word == kLengthWordHash) {
        unit.lengthCommandRest.onMessage(contextOf(context), 0, m, &onLengthRest);
    } else if (word == kSeedWordHash) {
        unit.seedCommandRest.onMessage(contextOf(context), 0, m, &onSeedRest);
    }
}

template <int Drum>
void DrumWiring<Drum>::onLengthRest(
    KrellContextInterface* context, int outlet, const Message* m) noexcept
{
    if (outlet == 0)
        onLengthBus(context, 0, m);
}

template <int Drum>
void DrumWiring<Drum>::onSeedRest(
    KrellContextInterface* context, int outlet, const Message* m) noexcept
{
    if (outlet == 0)
        onSeedBus(context, 0, m);
}

// --- Length value: truncated into the step counter's modulus L.

template <int Drum>
void DrumWiring<Drum>::onLengthBus(KrellContextInterface* context, int, const Message* m) noexcept
{
    unitOf<Drum>(context).lengthValue.onMessage(
        contextOf(context), 0, m, &Truncation<&lengthBranch<Drum>, &setLength>::input);
}

template <int Drum>
void DrumWiring<Drum>::setLength(KrellContextInterface* context, int, const Message* m) noexcept
{
    unitOf<Drum>(context).length.onMessage(
        contextOf(context), BinaryOp::Remainder, 1, m, &ignoreOutlet);
}

// --- Seed unit: a float sets P first, then float or bang alike reseed G from P.

template <int Drum>
void DrumWiring<Drum>::onSeedBus(KrellContextInterface* context, int, const Message* m) noexcept
{
    CastObject::onMessage(contextOf(context), CastKind::ToFloat, 0, m, &storeSeed);
    CastObject::onMessage(contextOf(context), CastKind::ToBang, 0, m, &reseed);
}

template <int Drum>
void DrumWiring<Drum>::storeSeed(KrellContextInterface* context, int, const Message* m) noexcept
{
    unitOf<Drum>(context).seedValue.onMessage(contextOf(context), 1, m, &ignoreOutlet);
}

template <int Drum>
void DrumWiring<Drum>::reseed(KrellContextInterface* context, int, const Message* m) noexcept
{
    unitOf<Drum>(context).seedValue.onMessage(
        contextOf(context), 0, m, &Truncation<&seedBranch<Drum>, &sendSeedToGenerator>::input);
}

template <int Drum>
void DrumWiring<Drum>::sendSeedToGenerator(
    KrellContextInterface* context, int, const Message* m) noexcept
{
    sendWordWithFirst(context, &setGeneratorState, "seed", m);
}

template <int Drum>
void DrumWiring<Drum>::setGeneratorState(
    KrellContextInterface* context, int, const Message* m) noexcept
{
    unitOf<Drum>(context).seedArgument.onMessage(contextOf(context), 0, m, &onSeedArgument);
}

template <int Drum>
void DrumWiring<Drum>::onSeedArgument(
    KrellContextInterface* context, int outlet, const Message* m) noexcept
{
    if (outlet == 0)
        unitOf<Drum>(context).generator.onMessage(contextOf(context), 1, m, &ignoreOutlet);
}

// --- Tempo: an exact value 0-4 selects the tick modulus K.

template <int Drum>
void DrumWiring<Drum>::onTempo(KrellContextInterface* context, int, const Message* m) noexcept
{
    int tempo = matchExactValue(m, kTempoValues, 5);
    if (tempo < 0)
        return;
    MessageStorage<1> storage;
    unitOf<Drum>(context).tickModulus.onMessage(contextOf(context), BinaryOp::Remainder, 1,
        Message::initWithFloat(&storage, m->timestamp, kTickModuli[tempo]), &ignoreOutlet);
}

// --- Tick and step.

template <int Drum>
void DrumWiring<Drum>::onTickValue(KrellContextInterface* context, int, const Message* m) noexcept
{
    unitOf<Drum>(context).tickModulus.onMessage(
        contextOf(context), BinaryOp::Remainder, 0, m, &onTickRemainder);
}

template <int Drum>
void DrumWiring<Drum>::onTickRemainder(
    KrellContextInterface* context, int, const Message* m) noexcept
{
    if (isExactZero(m))
        step(context, m->timestamp);
}

// The count and the reseed finish before the draw, so a reseeding step draws the seed's first
// value.
template <int Drum>
void DrumWiring<Drum>::step(KrellContextInterface* context, uint32_t timestamp) noexcept
{
    Counter<StepCounterSite>::bang(context, timestamp);
    MessageStorage<1> storage;
    unitOf<Drum>(context).generator.onMessage(
        contextOf(context), 0, Message::initWithBang(&storage, timestamp), &scaleDraw);
}

template <int Drum>
void DrumWiring<Drum>::onStepCount(KrellContextInterface* context, int, const Message* m) noexcept
{
    unitOf<Drum>(context).length.onMessage(
        contextOf(context), BinaryOp::Remainder, 0, m, &onStepRemainder);
}

template <int Drum>
void DrumWiring<Drum>::onStepRemainder(
    KrellContextInterface* context, int, const Message* m) noexcept
{
    if (m->numElements > 0 && m->isFloat(0))
        graphOf(context).latestCell[Drum] = static_cast<int>(m->floatAt(0));
    if (isExactZero(m))
        sendBang(context, &reseed, 0, m->timestamp);
}

// --- Draw: idx = floor(u x M), then the drum's stroke switch.

template <int Drum>
void DrumWiring<Drum>::scaleDraw(KrellContextInterface* context, int, const Message* m) noexcept
{
    BinaryOpObject::onMessageConstant(contextOf(context), BinaryOp::Multiply,
        kDrumRecords[Drum].drawMultiplier, 0, m, &floorDraw);
}

template <int Drum>
void DrumWiring<Drum>::floorDraw(KrellContextInterface* context, int, const Message* m) noexcept
{
    UnaryOpObject::onMessage(contextOf(context), UnaryOp::Floor, 0, m, &playDraw);
}

template <int Drum>
void DrumWiring<Drum>::playDraw(KrellContextInterface* context, int, const Message* m) noexcept
{
    int idx = matchExactValue(m, kStrokeSwitchValues, kStrokeEntryCount);
    if (idx < 0)
        return;
    const StrokeEntry& entry = kDrumRecords[Drum].strokes[idx];
    if (entry.trigger == kRest)
        return;
    StrokeVoice* voices = graphOf(context).voices;
    voices[entry.trigger].trigger(contextOf(context), m->timestamp);
    for (int i = 0; i < entry.cutOffCount; ++i)
        voices[entry.cutOffs[i]].stop(contextOf(context), m->timestamp);
}

// --- Initialisation: bang the constant length 4 into the length value, then the constant seed 0
// into the seed unit.

template <int Drum>
void DrumWiring<Drum>::initialise(KrellContextInterface* context, uint32_t timestamp) noexcept
{
    DrumUnit& unit = unitOf<Drum>(context);
    MessageStorage<1> storage;
    const Message* bang = Message::initWithBang(&storage, timestamp);
    unit.initialLength.onMessage(contextOf(context), 0, bang, &onLengthBus);
    unit.initialSeed.onMessage(contextOf(context), 0, bang, &onSeedBus);
}

template struct DrumWiring<kDayan>;
template struct DrumWiring<kBaya>;
