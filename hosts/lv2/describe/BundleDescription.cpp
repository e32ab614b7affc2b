// Turtle for the LV2 bundle, from the plug-in's own descriptions. Build time, single-threaded.
#include "BundleDescription.h"

#include "../Lv2Uris.h"
#include "../PluginLv2.h"

#include <cstdio>
#include <cstring>
#include <sstream>

namespace Orvane {

namespace {

constexpr char kPrefixes[] = "@prefix atom: <http://lv2plug.in/ns/ext/atom#> .\n"
                             "@prefix bufsz: <http://lv2plug.in/ns/ext/buf-size#> .\n"
                             "@prefix doap: <http://usefulinc.com/ns/doap#> .\n"
                             "@prefix foaf: <http://xmlns.com/foaf/0.1/> .\n"
                             "@prefix lv2: <http://lv2plug.in/ns/lv2core#> .\n"
                             "@prefix midi: <http://lv2plug.in/ns/ext/midi#> .\n"
                             "@prefix opts: <http://lv2plug.in/ns/ext/options#> .\n"
                             "@prefix param: <http://lv2plug.in/ns/ext/parameters#> .\n"
                             "@prefix rdf: <http://www.w3.org/1999/02/22-rdf-syntax-ns#> .\n"
                             "@prefix rdfs: <http://www.w3.org/2000/01/rdf-schema#> .\n"
                             "@prefix time: <http://lv2plug.in/ns/ext/time#> .\n"
                             "@prefix ui: <http://lv2plug.in/ns/extensions/ui#> .\n"
                             "@prefix units: <http://lv2plug.in/ns/extensions/units#> .\n"
                             "@prefix urid: <http://lv2plug.in/ns/ext/urid#> .\n\n";

// A Turtle decimal: always with a point, so that every number reads as the same type.
std::string number(float value)
{
    char text[32];
    std::snprintf(text, sizeof(text), "%.9g", static_cast<double>(value));
    if (std::strpbrk(text, ".en") == nullptr)
        std::strcat(text, ".0");
    return text;
}

std::string literal(const char* text)
{
    std::string quoted = "\"";
    for (const char* c = text; *c != '\0'; ++c) {
        if (*c == '"' || *c == '\\')
            quoted += '\\';
        quoted += *c;
    }
    return quoted + "\"";
}

// The unit texts parameters use, as the units the LV2 hosts know.
const char* unitUri(const String& unit)
{
    static const char* const known[][2] = {
        {"st", "units:semitone12TET"},
        {"semitones", "units:semitone12TET"},
        {"ct", "units:cent"},
        {"cents", "units:cent"},
        {"bpm", "units:bpm"},
    };
    for (const auto& entry : known)
        if (std::strcmp(unit.buffer(), entry[0]) == 0)
            return entry[1];
    return nullptr;
}

void eventPorts(std::ostringstream& out)
{
    out << "    lv2:port [\n"
           "        a lv2:InputPort, atom:AtomPort ;\n"
           "        atom:bufferType atom:Sequence ;\n"
           "        atom:supports midi:MidiEvent, time:Position ;\n"
           "        lv2:designation lv2:control ;\n"
           "        lv2:index "
        << kLv2EventsIn
        << " ;\n"
           "        lv2:symbol \"events_in\" ;\n"
           "        lv2:name \"Events In\"\n"
           "    ], [\n"
           "        a lv2:OutputPort, atom:AtomPort ;\n"
           "        atom:bufferType atom:Sequence ;\n"
           "        atom:supports midi:MidiEvent ;\n"
           "        lv2:index "
        << kLv2EventsOut
        << " ;\n"
           "        lv2:symbol \"events_out\" ;\n"
           "        lv2:name \"Events Out\"\n"
           "    ]";
}

void audioPorts(std::ostringstream& out, const PluginAdapter& plugin)
{
    for (uint32_t i = 0; i < ORVANE_PLUGIN_NUM_OUTPUTS; ++i) {
        const AudioPortInfo& port = plugin.audioPort(false, i);
        out << ", [\n"
               "        a lv2:OutputPort, lv2:AudioPort ;\n"
               "        lv2:index "
            << kLv2FirstAudioOut + i << " ;\n        lv2:symbol " << literal(port.symbol.buffer())
            << " ;\n        lv2:name " << literal(port.name.buffer()) << "\n    ]";
    }
}

void controlPort(std::ostringstream& out, const PluginAdapter& plugin, uint32_t index)
{
    const ValueRange& range = plugin.parameterRanges(index);
    const EnumValueList& values = plugin.parameterEnumValues(index);
    out << ", [\n"
           "        a lv2:InputPort, lv2:ControlPort ;\n"
           "        lv2:index "
        << kLv2FirstControl + index << " ;\n        lv2:symbol "
        << literal(plugin.parameterSymbol(index).buffer()) << " ;\n        lv2:name "
        << literal(plugin.parameterName(index).buffer()) << " ;\n        lv2:default "
        << number(range.def) << " ;\n        lv2:minimum " << number(range.min)
        << " ;\n        lv2:maximum " << number(range.max);
    if ((plugin.parameterHints(index) & HintInteger) != 0)
        out << " ;\n        lv2:portProperty lv2:integer";
    if (values.restrictedMode && values.count != 0)
        out << ", lv2:enumeration";
    if (const char* unit = unitUri(plugin.parameterUnit(index)))
        out << " ;\n        units:unit " << unit;
    for (uint8_t v = 0; v < values.count; ++v)
        out << " ;\n        lv2:scalePoint [ rdfs:label "
            << literal(values.values[v].label.buffer()) << " ; rdf:value "
            << number(values.values[v].value) << " ]";
    out << "\n    ]";
}

} // namespace

std::string manifestTurtle(const BundleFiles& files)
{
    std::ostringstream out;
    out << "@prefix lv2: <http://lv2plug.in/ns/lv2core#> .\n"
           "@prefix rdfs: <http://www.w3.org/2000/01/rdf-schema#> .\n"
           "@prefix ui: <http://lv2plug.in/ns/extensions/ui#> .\n\n"
        << "<" << kLv2PluginUri << ">\n    a lv2:Plugin ;\n    lv2:binary <" << files.dspBinary
        << "> ;\n    rdfs:seeAlso <vantorel.ttl> .\n\n"
        << "<" << kLv2UiUri << ">\n    a ui:X11UI ;\n    ui:binary <" << files.uiBinary
        << "> ;\n    rdfs:seeAlso <vantorel.ttl> .\n";
    return out.str();
}

std::string pluginTurtle(const PluginAdapter& plugin)
{
    const Plugin* const instance = plugin.plugin();
    std::ostringstream out;
    out << kPrefixes << "<" << kLv2PluginUri
        << ">\n"
           "    a lv2:Plugin, lv2:InstrumentPlugin ;\n"
           "    doap:name "
        << literal(instance->displayName()) << " ;\n    doap:maintainer [ foaf:name "
        << literal(instance->maker())
        << " ] ;\n"
           "    lv2:requiredFeature urid:map ;\n"
           "    lv2:optionalFeature lv2:hardRTCapable, opts:options, bufsz:boundedBlockLength ;\n"
           "    opts:supportedOption bufsz:maxBlockLength, bufsz:nominalBlockLength, "
           "param:sampleRate ;\n"
           "    lv2:extensionData opts:interface ;\n"
           "    ui:ui <"
        << kLv2UiUri << "> ;\n";
    eventPorts(out);
    audioPorts(out, plugin);
    for (uint32_t i = 0; i < plugin.parameterCount(); ++i)
        controlPort(out, plugin, i);
    out << " .\n\n<" << kLv2UiUri
        << ">\n"
           "    a ui:X11UI ;\n"
           "    lv2:requiredFeature urid:map, ui:idleInterface ;\n"
           "    lv2:optionalFeature ui:parent, ui:resize, ui:touch, ui:noUserResize ;\n"
           "    lv2:extensionData ui:idleInterface ;\n"
           "    ui:portNotification [ ui:plugin <"
        << kLv2PluginUri << "> ; lv2:symbol \"events_out\" ; ui:protocol atom:eventTransfer ] .\n";
    return out.str();
}

} // namespace Orvane
