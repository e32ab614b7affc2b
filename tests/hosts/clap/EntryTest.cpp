// The module's entry, factory and descriptor as a host finds them after dlopen.
#include "ClapFixture.h"
#include "StreamCapture.h"

#include <cmath>
#include <cstring>
#include <vector>

namespace {

class ClapEntryTest : public ClapFixture { };

TEST_F(ClapEntryTest, EntryAndFactoryDescribeOnePlugin)
{
    const clap_plugin_entry_t& entry = *library.entry();
    EXPECT_EQ(entry.clap_version.major, 1u);
    EXPECT_EQ(entry.clap_version.minor, 1u);
    EXPECT_EQ(entry.clap_version.revision, 1u);

    const clap_plugin_factory_t& factory = *library.factory();
    EXPECT_EQ(factory.get_plugin_count(&factory), 1u);
    const clap_plugin_descriptor_t* const descriptor = factory.get_plugin_descriptor(&factory, 0);
    ASSERT_NE(descriptor, nullptr);
    EXPECT_EQ(factory.get_plugin_descriptor(&factory, 0), descriptor);
    EXPECT_EQ(descriptor->clap_version.major, 1u);
    EXPECT_EQ(descriptor->clap_version.minor, 1u);
    EXPECT_EQ(descriptor->clap_version.revision, 1u);
    EXPECT_STREQ(descriptor->id, "urn.krellgen.Vantorel");
    EXPECT_STREQ(descriptor->name, "Vantorel");
    EXPECT_STREQ(descriptor->vendor, "Fellmark Audio");
    for (const char* text : {descriptor->url, descriptor->manual_url, descriptor->support_url,
             descriptor->version, descriptor->description})
        EXPECT_STREQ(text, "");
    ASSERT_NE(descriptor->features, nullptr);
    EXPECT_STREQ(descriptor->features[0], "instrument");
    EXPECT_EQ(descriptor->features[1], nullptr);
    EXPECT_EQ(plugin()->desc, descriptor);
}

TEST_F(ClapEntryTest, OtherFactoriesAndIndicesAreRefused)
{
    const clap_plugin_entry_t& entry = *library.entry();
    EXPECT_EQ(entry.get_factory(""), nullptr);
    EXPECT_EQ(entry.get_factory("clap.plugin-factory.draft"), nullptr);
    EXPECT_EQ(entry.get_factory("clap.preset-discovery-factory"), nullptr);
    EXPECT_EQ(entry.get_factory(nullptr), nullptr);

    const clap_plugin_factory_t& factory = *library.factory();
    StreamCapture capture(stderr);
    EXPECT_EQ(factory.get_plugin_descriptor(&factory, 1), nullptr);
    const std::string text = capture.text();
    EXPECT_NE(text.find("assertion failure: \"index == 0\" in file hosts/clap/ClapEntry, line "),
        std::string::npos)
        << text;
    EXPECT_NE(text.find(", value 1"), std::string::npos);
}

TEST_F(ClapEntryTest, UnknownIdStillCreatesAndNullHostDoesNot)
{
    const clap_plugin_factory_t& factory = *library.factory();
    const clap_plugin_t* const other =
        factory.create_plugin(&factory, host.host(), "urn.nobody.Other");
    ASSERT_NE(other, nullptr);
    EXPECT_TRUE(other->init(other));
    other->destroy(other);
    EXPECT_EQ(factory.create_plugin(&factory, nullptr, "urn.krellgen.Vantorel"), nullptr);
}

TEST_F(ClapEntryTest, SecondInitWithoutPathKeepsWorking)
{
    EXPECT_TRUE(library.entry()->init(nullptr));
    const clap_plugin_factory_t& factory = *library.factory();
    EXPECT_STREQ(factory.get_plugin_descriptor(&factory, 0)->name, "Vantorel");
}

TEST_F(ClapEntryTest, HostWithVersionZeroIsRefused)
{
    clap_host_t old = *host.host();
    old.clap_version = {0, 9, 0};
    const clap_plugin_factory_t& factory = *library.factory();
    const clap_plugin_t* const created =
        factory.create_plugin(&factory, &old, "urn.krellgen.Vantorel");
    ASSERT_NE(created, nullptr);
    EXPECT_FALSE(created->init(created));
    created->destroy(created);
}

TEST_F(ClapEntryTest, ExtensionsOfferedByExactId)
{
    for (const char* id : {"clap.params", "clap.state", "clap.audio-ports", "clap.note-ports",
             "clap.gui", "clap.timer-support"})
        EXPECT_NE(plugin()->get_extension(plugin(), id), nullptr) << id;
    for (const char* id : {"clap.params.draft", "clap.param", "", "CLAP.PARAMS", "clap.gui "})
        EXPECT_EQ(plugin()->get_extension(plugin(), id), nullptr) << id;
    EXPECT_EQ(plugin()->get_extension(plugin(), nullptr), nullptr);
}

TEST_F(ClapEntryTest, ActivationRefusesUnusableSampleRates)
{
    for (double rate : {0.0, -48000.0, std::nan(""), HUGE_VAL, -HUGE_VAL})
        EXPECT_FALSE(plugin()->activate(plugin(), rate, 1, 256)) << rate;
    // Refusals changed nothing: processing without activation renders what a fresh instance does.
    const auto firstBlock = [](PluginInstance& tested) {
        BlockRenderer renderer(tested, TransportTimeline(44100.0, 120.0, 4, 4), 256);
        EXPECT_EQ(renderer.processBlock(256), CLAP_PROCESS_CONTINUE);
        return std::vector<float>(renderer.left(), renderer.left() + 256);
    };
    const std::vector<float> refused = firstBlock(*instance);
    recreateInstance();
    EXPECT_EQ(refused, firstBlock(*instance));
}

} // namespace
