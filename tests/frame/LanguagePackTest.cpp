// The language pack and its loader: the string table, a missing pack, reloading.
#include "frame/LanguagePack.h"

#include "FrameTestSupport.h"

using frametest::FrameTest;
using frametest::inFreshProcess;
namespace fs = std::filesystem;

namespace {

struct Text {
    UINT id;
    const wchar_t* text;
};

// The pack's whole table, as every other part of the plug-in reads it.
const Text kTable[] = {
    {62000, L"Tavrix"},
    {62001, L"\nSpecify insertion point:"},
    {62002, L"\nSelect object:"},
    {62003, L"\nSpecify next point:"},
    {62004, L"\nSpecify start point of description line:"},
    {62005, L"\nSpecify start point of line"},
    {62006, L"Close"},
    {62007, L"Insert"},
    {62017, L"Error"},
    {62018, L"\nSpecify width"},
    {62019, L"Width"},
    {62020, L"Color"},
    {62021, L"\nSpecify start point or one of options"},
    {62022, L"You are here"},
    {62023, L"Size"},
    {62024, L"Add folder"},
    {62025, L"Global scale"},
    {62026, L"Local scale"},
    {62027, L"Most recent used"},
    {62028, L"Favourites"},
    {62029, L"User library"},
    {62030, L"AddToFavourites"},
    {62031, L"Find result"},
    {62032, L"Active drawing"},
    {62033, L"Find"},
    {62034, L"Find"},
    {62035, L"Save find result"},
    {62036, L"Name"},
    {62037, L"New name"},
    {62038, L"Dot"},
    {62039, L"Remove from library"},
    {62040, L"file %s is missing!"},
    {62101, L"\nSpecify position"},
    {62102, L"Name"},
    {62103, L"Description"},
    {62104, L"Quantity"},
};

class LanguagePackTest : public FrameTest {
protected:
    // The plug-in's folder on drive C:, with a copy of the built module in it.
    fs::path pluginFolder() const { return driveC() / "Inst"; }
};

TEST_F(LanguagePackTest, GivesTheTextOfEveryIdentifier)
{
    copyModules(pluginFolder(), true);
    inFreshProcess([&] {
        ASSERT_NE(LoadLibraryW(L"C:\\Inst\\Tavrix.zrx"), nullptr);
        for (const Text& entry : kTable)
            EXPECT_EQ(loadLangString(entry.id), entry.text) << entry.id;
        // Identifiers the table does not hold, including neighbours of held ones.
        for (UINT id : {0u, 1u, 61999u, 62008u, 62016u, 62041u, 62100u, 62105u, 65535u})
            EXPECT_EQ(loadLangString(id), L"") << id;
    });
}

TEST_F(LanguagePackTest, MissingPackIsPickedUpOnceItIsPutBack)
{
    copyModules(pluginFolder(), false);
    inFreshProcess([&] {
        ASSERT_NE(LoadLibraryW(L"C:\\Inst\\Tavrix.zrx"), nullptr);
        loadLanguagePack();
        EXPECT_EQ(loadLangString(62022), L"failed to load resource");
        EXPECT_EQ(loadLangString(61999), L"failed to load resource");
        fs::copy_file(frametest::builtPack(), pluginFolder() / "TavrixLP.dll");
        EXPECT_EQ(loadLangString(62022), L"You are here");
    });
}

TEST_F(LanguagePackTest, ModuleUnderAnotherNameFindsNoPack)
{
    copyModules(pluginFolder(), true, "Tavrix2023.zrx");
    inFreshProcess([&] {
        ASSERT_NE(LoadLibraryW(L"C:\\Inst\\Tavrix2023.zrx"), nullptr);
        loadLanguagePack();
        EXPECT_EQ(loadLangString(62000), L"failed to load resource");
    });
}

TEST_F(LanguagePackTest, FreedPackIsLoadedAgainOnTheNextText)
{
    copyModules(pluginFolder(), true);
    inFreshProcess([&] {
        ASSERT_NE(LoadLibraryW(L"C:\\Inst\\Tavrix.zrx"), nullptr);
        loadLanguagePack();
        EXPECT_NE(GetModuleHandleW(L"TavrixLP.dll"), nullptr);
        freeLanguagePack();
        EXPECT_EQ(GetModuleHandleW(L"TavrixLP.dll"), nullptr) << "the pack is unloaded";
        EXPECT_EQ(loadLangString(62033), L"Find");
        freeLanguagePack();
    });
}

}  // namespace
