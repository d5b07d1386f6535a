// The skin component and the manager together: Loaded, Active and SkinFile sequences, the
// first activation, deferred actions from the timer and the end of the manager.
#include <gtest/gtest.h>

#include <windows.h>

#include <cstdio>
#include <fstream>
#include <string>

#include "framework/design/DesignReader.h"
#include "skin/data/SkinData.h"
#include "skin/manage/SkinManage.h"
#include "tests/skin/SkinTestKit.h"
#include "tests/support/Capture.h"

namespace {

struct TChangeCounter {
    int Count = 0;
    void Changed(TObject*) { ++Count; }
};

class SkinManage : public ::testing::Test {
protected:
    void TearDown() override { FinalizeSkinManager(); }

    static std::string GoodSkin() { return PackSkin("[TitlebarSkin]\r\nSkinName=Good\r\n"); }

    // The component of a design read in: its stored skin decoded, then Loaded.
    static TSkinData& StreamIn(TSkinRoot& Root, const std::string& File, bool Active,
                               TSkinFormType Kind = sfMainform)
    {
        std::string Text = SkinDesign(File, Active);
        if (Kind == sfDialog)
            Text.insert(Text.find("    SkinStream"), "    SkinFormtype = sfDialog\n");
        ReadComponentText(Text, &Root, "test");
        return *dynamic_cast<TSkinData*>(Root.FindComponent("SkinData1"));
    }

    // Activates a new top-level window, as the user's first click would.
    static HWND ActivateWindow()
    {
        const HWND Wnd = CreateWindowExA(0, "STATIC", "probe", WS_POPUP | WS_VISIBLE, 10, 10, 50, 50, nullptr,
                                         nullptr, GetModuleHandleA(nullptr), nullptr);
        SetActiveWindow(Wnd);
        PumpFor(20);
        return Wnd;
    }
};

}  // namespace

TEST_F(SkinManage, ActiveWithValidSkinOnlySwitchesOnBeforeTheFirstActivation)
{
    TSkinRoot Root(nullptr);
    TSkinData& Skin = StreamIn(Root, GoodSkin(), true);
    ASSERT_NE(SkinManager, nullptr);
    EXPECT_TRUE(SkinManager->SkinningEnabled);
    EXPECT_EQ(SkinManager->ReadyCount, 0);
    EXPECT_FALSE(SkinManager->Timer->Enabled());
    EXPECT_TRUE(Skin.Active());

    // The hook sees the first activation.
    const HWND Wnd = ActivateWindow();
    EXPECT_EQ(SkinManager->ReadyCount, 1);
    DestroyWindow(Wnd);
}

TEST_F(SkinManage, ActiveWithoutSkinIsRefusedThenSwitchingOffIsScheduled)
{
    TSkinRoot Root(nullptr);
    TSkinData& Skin = StreamIn(Root, "", false);
    ASSERT_NE(SkinManager, nullptr);
    Skin.SetActive(true);
    EXPECT_TRUE(Skin.Active());
    EXPECT_EQ(SkinManager->PendingSkinData, nullptr);
    EXPECT_EQ(SkinManager->PendingAction, 0);
    EXPECT_FALSE(SkinManager->SkinningEnabled);

    SkinManager->SkinningEnabled = true;
    Skin.SetActive(false);
    EXPECT_EQ(SkinManager->PendingAction, saUnskinForms);
    EXPECT_EQ(SkinManager->PendingSkinData, &Skin);
    EXPECT_FALSE(SkinManager->SkinningEnabled);  // no activation yet: applied at once
}

TEST_F(SkinManage, SkinFileLoadsAndTheTimerReportsTheChange)
{
    const std::string Path = TestOutputPath("skinfile.skin");
    {
        std::ofstream(Path, std::ios::binary) << PackSkin("[TitlebarSkin]\r\nSkinName=From file\r\n");
    }
    TSkinRoot Root(nullptr);
    TSkinData& Skin = StreamIn(Root, GoodSkin(), true);
    TChangeCounter Changes;
    Skin.OnSkinChanged = TNotifyEvent(&Changes, &TChangeCounter::Changed);
    const HWND Wnd = ActivateWindow();

    Skin.SetSkinFile(Path);
    EXPECT_EQ(Skin.SkinName, "From file");
    EXPECT_FALSE(Skin.NoSkin);
    EXPECT_EQ(SkinManager->PendingAction, saSkinChanged);
    EXPECT_EQ(SkinManager->PendingSkinData, &Skin);
    EXPECT_TRUE(SkinManager->Timer->Enabled());
    EXPECT_EQ(Changes.Count, 0);  // deferred to the timer
    EXPECT_TRUE(PumpUntil([&] { return Changes.Count == 1; }, 3000));
    EXPECT_EQ(SkinManager->PendingSkinData, nullptr);
    EXPECT_FALSE(SkinManager->Timer->Enabled());

    // A missing file only marks the skin as gone; the elements stay; Active is refused.
    Skin.SetActive(false);
    EXPECT_TRUE(PumpUntil([&] { return Changes.Count == 2; }, 3000));
    EXPECT_FALSE(SkinManager->SkinningEnabled);
    Skin.SetSkinFile(Path + ".missing");
    EXPECT_TRUE(Skin.NoSkin);
    EXPECT_EQ(Skin.SkinName, "From file");
    Skin.SetActive(true);
    EXPECT_EQ(SkinManager->PendingSkinData, nullptr);
    EXPECT_FALSE(SkinManager->Timer->Enabled());
    DestroyWindow(Wnd);
    std::remove(Path.c_str());
}

TEST_F(SkinManage, DialogComponentRegistersAndIgnoresActive)
{
    TSkinRoot MainRoot(nullptr), DialogRoot(nullptr);
    StreamIn(MainRoot, GoodSkin(), false);
    TSkinData& Dialog = StreamIn(DialogRoot, GoodSkin(), false, sfDialog);
    ASSERT_EQ(Dialog.SkinFormtype(), sfDialog);
    ASSERT_EQ(SkinManager->SkinDatas.size(), 2u);
    EXPECT_EQ(SkinManager->SkinDatas[1], &Dialog);
    EXPECT_TRUE(SkinManager->SkinningEnabled);
    EXPECT_EQ(SkinManager->ReadyCount, 1);
    Dialog.SetActive(true);
    EXPECT_EQ(SkinManager->PendingSkinData, nullptr);
    EXPECT_FALSE(SkinManager->Timer->Enabled());
}

TEST_F(SkinManage, DeferredActionsRunFromTheTimer)
{
    TSkinRoot Root(nullptr);
    TSkinData& Skin = StreamIn(Root, GoodSkin(), false);
    TChangeCounter Changes;
    Skin.OnSkinChanged = TNotifyEvent(&Changes, &TChangeCounter::Changed);
    TSkinManage& M = *SkinManager;
    M.ReadyCount = 1;

    // Nothing pending: the tick does nothing and the timer keeps running.
    M.ScheduleAction(saSkinForms, 10);
    EXPECT_TRUE(M.Timer->Enabled());
    PumpFor(100);
    EXPECT_FALSE(M.SkinningEnabled);
    EXPECT_TRUE(M.Timer->Enabled());

    M.PendingSkinData = &Skin;
    EXPECT_TRUE(PumpUntil([&] { return Changes.Count == 1; }, 3000));
    EXPECT_TRUE(M.SkinningEnabled);
    EXPECT_FALSE(M.Timer->Enabled());

    // Freeing dead form skin objects also reports to the component.
    M.PendingSkinData = &Skin;
    M.ScheduleAction(saFreeDeadForms, 10);
    EXPECT_TRUE(PumpUntil([&] { return Changes.Count == 2; }, 3000));
}

TEST_F(SkinManage, DestroyedComponentLeavesTheManager)
{
    TSkinRoot Root(nullptr);
    TSkinData* Skin = &StreamIn(Root, GoodSkin(), false);
    SkinManager->ReadyCount = 1;
    SkinManager->PendingSkinData = Skin;
    SkinManager->ScheduleAction(saSkinChanged, 10);
    delete Skin;
    EXPECT_TRUE(SkinManager->SkinDatas.empty());
    EXPECT_EQ(SkinManager->PendingSkinData, nullptr);
    PumpFor(60);  // the tick finds nothing to report to
}

TEST_F(SkinManage, ApplySkinStartsAManagerWhenThereIsNone)
{
    TSkinData Skin(nullptr);
    Skin.SkinStream->WriteBuffer(GoodSkin().data(), int64_t(GoodSkin().size()));
    ASSERT_TRUE(Skin.LoadSkin());
    Skin.ApplySkin();
    ASSERT_NE(SkinManager, nullptr);
    EXPECT_EQ(SkinManager->SkinDatas.size(), 1u);
    EXPECT_NE(SkinManager->Hook, nullptr);
    EXPECT_EQ(SkinManager->PendingAction, saSkinChanged);
    EXPECT_EQ(SkinManager->PendingSkinData, &Skin);
}

TEST_F(SkinManage, NoHookOutlivesTheManager)
{
    TSkinManage& M = NeedSkinManager();
    M.StartHook();
    const HHOOK First = M.Hook;
    M.StartHook();  // replaces the first one
    EXPECT_NE(M.Hook, nullptr);
    EXPECT_FALSE(UnhookWindowsHookEx(First));
    FinalizeSkinManager();
    EXPECT_EQ(SkinManager, nullptr);
    const HWND Wnd = ActivateWindow();  // no hook left to call into a freed manager
    DestroyWindow(Wnd);
}
