// Pantrel.exe run for real in a scratch copy of its folder and driven from this process:
// browsing, adding recipes, the refusals of the add dialog, the start-up failure box and
// the links of the personal-software dialog. Captures of the three windows go to the
// test-output folder.
#include "framework/core/CodePage.h"
#include "framework/data/CatalogueFile.h"
#include "tests/app/PantrelDriver.h"
#include "tests/support/Capture.h"

#include <gtest/gtest.h>
#include <sqlite3.h>

#include <filesystem>

namespace {

const char* const CatalogueSql = u8"select * from 饮食";

// Design positions of the boxes, in their window's client coordinates.
struct TMainBoxes {
    explicit TMainBoxes(HWND Main)
        : Ingredients(TPantrel::ControlAt(Main, "TMemo", 161, 32)),
          Method(TPantrel::ControlAt(Main, "TMemo", 397, 15)),
          Tips(TPantrel::ControlAt(Main, "TMemo", 395, 352)) {}
    bool Show(const TRecipe& R) const
    {
        return WaitForText(Ingredients, R.Ingredients) && TextOf(Method) == R.Method && TextOf(Tips) == R.Tips;
    }
    HWND Ingredients, Method, Tips;
};

struct TAddBoxes {
    explicit TAddBoxes(HWND Add)
        : Window(Add), Category(TPantrel::ControlAt(Add, "TComboBox", 56, 8)),
          Name(TPantrel::ControlAt(Add, "TEdit", 296, 8)),
          Ingredients(TPantrel::ControlAt(Add, "TMemo", 40, 48)),
          Method(TPantrel::ControlAt(Add, "TMemo", 306, 46)),
          Tips(TPantrel::ControlAt(Add, "TMemo", 40, 326)),
          Add(TPantrel::ControlAt(Add, "TButton", 424, 336)) {}
    HWND Window, Category, Name, Ingredients, Method, Tips, Add;
};

// Windows the skin engine has taken over answer its query with 1.
bool IsSkinned(HWND Window)
{
    DWORD_PTR Answer = 0;
    return Window && SendMessageTimeoutA(Window, 0x3504, 0, 0, SMTO_ABORTIFHUNG, 2000, &Answer) && Answer == 1;
}

// The picture box's area on the screen, to tell one picture from another.
TCapture CaptureImage(HWND Main)
{
    RECT R{153 + 25, 240, 153 + 25 + 192, 240 + 161};
    MapWindowPoints(Main, nullptr, reinterpret_cast<POINT*>(&R), 2);
    return CaptureScreenRect(R);
}

HWND OpenAddDialog(TPantrel& App)
{
    App.MenuCommand(1, 0);
    HWND Add = App.WaitForWindow("TAddData", "菜谱的添加");
    EXPECT_TRUE(PumpUntil([&] { return IsSkinned(Add); }, 3000)) << "add-recipe dialog skinned";
    return Add;
}

// Presses 添加 and returns the box it brings up, read and answered.
TMessageBoxView PressAdd(TPantrel& App, const TAddBoxes& Boxes)
{
    Click(Boxes.Add);
    HWND Box = App.WaitForMessage();
    if (!Box)
        return {};
    EXPECT_TRUE(PumpUntil([&] { return IsSkinned(Box); }, 3000)) << "message box skinned";
    TMessageBoxView View = ReadBox(Box);
    PressOk(Box);
    WaitForWindowGone(Box);
    return View;
}

// Clicks the picture box and chooses FileName in the picture chooser.
void ChoosePicture(TPantrel& App, const TAddBoxes& Boxes, const std::string& FileName)
{
    ClickAt(Boxes.Window, 40 + 100, 168 + 70);
    HWND Chooser = App.WaitForWindow("#32770");
    ASSERT_NE(Chooser, nullptr) << "no picture chooser";
    EXPECT_TRUE(PumpUntil([&] { return IsSkinned(Chooser); }, 3000)) << "picture chooser skinned";
    ChooseFile(Chooser, FileName);
    ASSERT_TRUE(WaitForWindowGone(Chooser));
}

} // namespace

TEST(PantrelApp, BrowsesEveryLevelOfTheTree)
{
    const std::string Dir = MakeScratchFolder("browse");
    const std::vector<TCategory> Expected = ReadTree(Dir + "Dorvanet.mdb");
    const std::vector<TRecipe> All = ReadRecipes(Dir + "Dorvanet.mdb", CatalogueSql);
    ASSERT_GE(Expected.size(), 6u);

    TPantrel App(Dir);
    ASSERT_TRUE(App.WaitForMain());
    EXPECT_TRUE(PumpUntil([&] { return IsSkinned(App.Main()); }, 3000)) << "main window skinned";
    TRemoteTree& Tree = App.Tree();
    const HTREEITEM Root = Tree.Root();
    EXPECT_EQ(Tree.Text(Root), "Pantrel");
    const std::vector<HTREEITEM> Categories = Tree.Children(Root);
    ASSERT_EQ(Categories.size(), Expected.size());
    for (size_t I = 0; I < Expected.size(); ++I) {
        EXPECT_EQ(Tree.Text(Categories[I]), Expected[I].Name);
        const std::vector<HTREEITEM> Recipes = Tree.Children(Categories[I]);
        ASSERT_EQ(Recipes.size(), Expected[I].Recipes.size()) << Expected[I].Name;
        for (size_t J = 0; J < Recipes.size(); ++J)
            EXPECT_EQ(Tree.Text(Recipes[J]), Expected[I].Recipes[J].Name);
    }

    const TMainBoxes Boxes(App.Main());
    const TCapture Placeholder = CaptureImage(App.Main());
    Tree.Select(Root);
    EXPECT_TRUE(Boxes.Show(All.front())) << "root shows the first row";
    for (size_t I = 0; I < Expected.size(); ++I) {
        Tree.Select(Categories[I]);
        EXPECT_TRUE(Boxes.Show(Expected[I].Recipes.front())) << Expected[I].Name;
        const std::vector<HTREEITEM> Recipes = Tree.Children(Categories[I]);
        for (size_t J = 0; J < Recipes.size(); ++J) {
            Tree.Select(Recipes[J]);
            EXPECT_TRUE(Boxes.Show(Expected[I].Recipes[J])) << Expected[I].Recipes[J].Name;
        }
    }
    EXPECT_EQ(App.WaitForMessage(500), nullptr) << "every picture loads";
    PumpFor(300);
    EXPECT_NE(CaptureImage(App.Main()).Rgb, Placeholder.Rgb) << "the recipe's picture replaced the placeholder";
    CaptureWindow(App.Main()).SavePng("pantrel-main-window.png");
    EXPECT_TRUE(App.Quit());
}

TEST(PantrelApp, AddsARecipeThatTheCatalogueAndTheNextStartShow)
{
    const std::string Dir = MakeScratchFolder("add");
    const std::string Catalogue = Dir + "Dorvanet.mdb";
    const TRecipe New{"测试\"引号\"菜", "番茄\"炒\"蛋（测试）", "番茄 2 个\r\n鸡蛋 3 个", "1. 打散鸡蛋\r\n2. 先炒蛋，再炒番茄",
                      "", ""};
    const std::string Picture = ReadRecipes(Catalogue, CatalogueSql).front().Picture;
    {
        TPantrel App(Dir);
        ASSERT_TRUE(App.WaitForMain());
        HWND Add = OpenAddDialog(App);
        ASSERT_NE(Add, nullptr);
        const TAddBoxes Boxes(Add);
        EXPECT_FALSE(TextOf(Boxes.Category).empty()) << "the first category is preselected";
        SetTextOf(Boxes.Category, New.Category);
        SetTextOf(Boxes.Name, New.Name);
        SetTextOf(Boxes.Ingredients, New.Ingredients);
        SetTextOf(Boxes.Method, New.Method);
        ChoosePicture(App, Boxes, Dir + Picture.substr(1));
        PumpFor(300);
        CaptureWindow(Add).SavePng("pantrel-add-recipe.png");
        const TMessageBoxView Done = PressAdd(App, Boxes);
        EXPECT_EQ(Done.Text, "添加成功！");
        EXPECT_EQ(Done.Caption, "Pantrel");
        EXPECT_TRUE(WaitForText(Boxes.Name, ""));
        EXPECT_EQ(TextOf(Boxes.Ingredients), "");
        EXPECT_EQ(TextOf(Boxes.Method), "");
        EXPECT_EQ(TextOf(Boxes.Category), New.Category) << "the category stays for the next recipe";

        const std::vector<TRecipe> Saved =
            ReadRecipes(Catalogue, u8"select * from 饮食 where 菜谱=?", {GbkToUtf8(New.Name)});
        ASSERT_EQ(Saved.size(), 1u);
        EXPECT_EQ(Saved[0].Category, New.Category);
        EXPECT_EQ(Saved[0].Ingredients, New.Ingredients);
        EXPECT_EQ(Saved[0].Method, New.Method);
        EXPECT_EQ(Saved[0].Picture, Picture);
        EXPECT_EQ(Saved[0].Tips, "无");
        PostMessageA(Add, WM_CLOSE, 0, 0);
        EXPECT_TRUE(WaitForWindowGone(Add));
        EXPECT_TRUE(App.Quit());
    }
    TPantrel Again(Dir);
    ASSERT_TRUE(Again.WaitForMain());
    const HTREEITEM Node = Again.Tree().Find({"Pantrel", New.Category, New.Name});
    ASSERT_NE(Node, nullptr) << "the new recipe is in the tree after a restart";
    Again.Tree().Select(Node);
    EXPECT_TRUE(TMainBoxes(Again.Main()).Show({"", "", New.Ingredients, New.Method, "", "无"}));
    EXPECT_TRUE(Again.Quit());
}

TEST(PantrelApp, TheAddDialogRefusesDuplicatesAMissingPictureAndPicturesItCannotStore)
{
    const std::string Dir = MakeScratchFolder("refuse");
    const std::string Catalogue = Dir + "Dorvanet.mdb";
    const std::vector<TRecipe> Before = ReadRecipes(Catalogue, CatalogueSql);
    TPantrel App(Dir);
    ASSERT_TRUE(App.WaitForMain());
    HWND Add = OpenAddDialog(App);
    ASSERT_NE(Add, nullptr);
    const TAddBoxes Boxes(Add);

    SetTextOf(Boxes.Name, Before.front().Name);
    SetTextOf(Boxes.Ingredients, "一些原料");
    TMessageBoxView Box = PressAdd(App, Boxes);
    EXPECT_EQ(Box.Text, "这个菜谱已存在！请检查.....");
    EXPECT_EQ(Box.Caption, "Pantrel");
    EXPECT_EQ(Box.ButtonCount, 1);
    EXPECT_FALSE(Box.HasIcon);
    EXPECT_EQ(TextOf(Boxes.Name), Before.front().Name) << "the boxes keep their text";
    EXPECT_EQ(TextOf(Boxes.Ingredients), "一些原料");

    SetTextOf(Boxes.Name, "没有图片的菜");
    EXPECT_EQ(PressAdd(App, Boxes).Text, "请先点击图片选择菜式样本。");

    // A picture outside the program's folder cannot be found again from a stored path.
    const std::string Outside = Dir + "..\\outside.jpg";
    CopyFileA((Dir + Before.front().Picture.substr(1)).c_str(), Outside.c_str(), FALSE);
    ChoosePicture(App, Boxes, Outside);
    HWND Refusal = App.WaitForMessage();
    ASSERT_NE(Refusal, nullptr);
    EXPECT_NE(ReadBox(Refusal).Text.find("不在本程序的文件夹"), std::string::npos);
    PressOk(Refusal);
    WaitForWindowGone(Refusal);
    EXPECT_EQ(PressAdd(App, Boxes).Text, "请先点击图片选择菜式样本。") << "the refused picture is not chosen";

    EXPECT_EQ(ReadRecipes(Catalogue, CatalogueSql).size(), Before.size()) << "nothing was written";
    PostMessageA(Add, WM_CLOSE, 0, 0);
    EXPECT_TRUE(WaitForWindowGone(Add));
    EXPECT_TRUE(App.Quit());
}

TEST(PantrelApp, ARecipeWhosePictureIsGoneShowsItsTextsWithThePlaceholder)
{
    const std::string Dir = MakeScratchFolder("missing-picture");
    const std::vector<TCategory> Tree = ReadTree(Dir + "Dorvanet.mdb");
    ASSERT_GE(Tree.size(), 2u);
    const TRecipe& Shown = Tree[1].Recipes.front();
    const TRecipe& Broken = Tree[0].Recipes.front();
    ASSERT_NE(Shown.Picture, Broken.Picture);
    ASSERT_TRUE(DeleteFileA((Dir + Broken.Picture.substr(1)).c_str()));

    TPantrel App(Dir);
    ASSERT_TRUE(App.WaitForMain());
    const TMainBoxes Boxes(App.Main());
    PumpFor(300);
    const TCapture Placeholder = CaptureImage(App.Main());
    App.Tree().Select(App.Tree().Find({"Pantrel", Shown.Category, Shown.Name}));
    ASSERT_TRUE(Boxes.Show(Shown));

    App.PostSelect(App.Tree().Find({"Pantrel", Broken.Category, Broken.Name}));
    HWND Box = App.WaitForMessage();
    ASSERT_NE(Box, nullptr) << "the failure is reported";
    const std::string Name = Broken.Picture.substr(Broken.Picture.rfind('\\') + 1);
    EXPECT_NE(ReadBox(Box).Text.find(Name), std::string::npos) << "the box names " << Name;
    PressOk(Box);
    ASSERT_TRUE(WaitForWindowGone(Box));
    EXPECT_TRUE(Boxes.Show(Broken)) << "every text of the record is shown";
    PumpFor(300);
    EXPECT_EQ(CaptureImage(App.Main()).Rgb, Placeholder.Rgb) << "not the previous recipe's picture";
    EXPECT_TRUE(App.Quit());
}

TEST(PantrelApp, AFailedSaveShowsTheErrorAndKeepsEveryBox)
{
    const std::string Dir = MakeScratchFolder("failed-save");
    const std::string Catalogue = Dir + "Dorvanet.mdb";
    sqlite3* Db = nullptr;
    ASSERT_EQ(sqlite3_open(Catalogue.c_str(), &Db), SQLITE_OK);
    ASSERT_EQ(sqlite3_exec(Db, u8"CREATE TRIGGER refuse BEFORE INSERT ON 饮食 BEGIN SELECT RAISE(ABORT, 'simulated write failure'); END",
                           nullptr, nullptr, nullptr), SQLITE_OK);
    sqlite3_close(Db);
    const std::vector<TRecipe> Before = ReadRecipes(Catalogue, CatalogueSql);

    TPantrel App(Dir);
    ASSERT_TRUE(App.WaitForMain());
    HWND Add = OpenAddDialog(App);
    ASSERT_NE(Add, nullptr);
    const TAddBoxes Boxes(Add);
    SetTextOf(Boxes.Name, "保存不了的菜");
    SetTextOf(Boxes.Ingredients, "原料");
    ChoosePicture(App, Boxes, Dir + Before.front().Picture.substr(1));
    const TMessageBoxView Error = PressAdd(App, Boxes);
    EXPECT_NE(Error.Text.find("simulated write failure"), std::string::npos) << Error.Text;
    EXPECT_EQ(App.WaitForMessage(1000), nullptr) << "no success box after a failed save";
    EXPECT_EQ(TextOf(Boxes.Name), "保存不了的菜");
    EXPECT_EQ(TextOf(Boxes.Ingredients), "原料");
    EXPECT_EQ(ReadRecipes(Catalogue, CatalogueSql).size(), Before.size());
    PostMessageA(Add, WM_CLOSE, 0, 0);
    EXPECT_TRUE(WaitForWindowGone(Add));
    EXPECT_TRUE(App.Quit());
}

TEST(PantrelApp, StartUpWithoutAUsableCatalogueShowsTheBoxAndEnds)
{
    const std::string Missing = MakeScratchFolder("no-catalogue");
    DeleteFileA((Missing + "Dorvanet.mdb").c_str());

    const std::string Wrong = MakeScratchFolder("wrong-password");
    DeleteFileA((Wrong + "Dorvanet.mdb").c_str());
    sqlite3* Db = nullptr;
    ASSERT_EQ(sqlite3_open((Wrong + "Dorvanet.mdb").c_str(), &Db), SQLITE_OK);
    ASSERT_EQ(CreateCatalogue(Db, "not-the-password"), SQLITE_OK);
    sqlite3_close(Db);

    const std::string Elsewhere = MakeScratchFolder("elsewhere");
    const std::string OtherDir = Elsewhere + "pic\\";

    const struct {
        const char* Case;
        std::string Folder, WorkingDir;
    } Cases[] = {{"no catalogue", Missing, ""}, {"wrong password", Wrong, ""}, {"working directory elsewhere", Elsewhere, OtherDir}};
    for (const auto& C : Cases) {
        TPantrel App(C.Folder, C.WorkingDir);
        HWND Box = App.WaitForWindow("#32770", "无法打开数据库", 20000);
        ASSERT_NE(Box, nullptr) << C.Case;
        EXPECT_TRUE(PumpUntil([&] { return IsSkinned(Box); }, 3000)) << C.Case;
        const TMessageBoxView View = ReadBox(Box);
        EXPECT_EQ(View.Text, "找不到数据库，引起该问题的原因是数据库文件可能被人为删除或改名.") << C.Case;
        EXPECT_EQ(View.ButtonCount, 1) << C.Case;
        EXPECT_FALSE(View.HasIcon) << C.Case;
        PressOk(Box);
        EXPECT_TRUE(App.AnswerBoxesUntilExit()) << C.Case << ": the program ends";
    }
}

TEST(PantrelApp, PersonalSoftwareLinksTurnBlueUnderTheMouse)
{
    const std::string Dir = MakeScratchFolder("links");
    TPantrel App(Dir);
    ASSERT_TRUE(App.WaitForMain());
    App.MenuCommand(2, 2);
    HWND Soft = App.WaitForWindow("TMySoft", "个人软件");
    ASSERT_NE(Soft, nullptr);
    EXPECT_TRUE(PumpUntil([&] { return IsSkinned(Soft); }, 3000)) << "personal-software dialog skinned";
    const std::vector<HWND> Groups = Descendants(Soft, "TGroupBox");
    ASSERT_EQ(Groups.size(), 1u);
    const HWND Group = Groups.front();

    // Pixels of the label's text that are mostly red / mostly blue.
    auto Count = [&](int Top, int Width, bool Blue) {
        RECT R{17, Top, 17 + Width, Top + 19};
        MapWindowPoints(Group, nullptr, reinterpret_cast<POINT*>(&R), 2);
        const TCapture C = CaptureScreenRect(R);
        int N = 0;
        for (int Y = 0; Y < C.Height; ++Y)
            for (int X = 0; X < C.Width; ++X) {
                const COLORREF P = C.Pixel(X, Y);
                const int Strong = Blue ? GetBValue(P) : GetRValue(P);
                if (Strong > 150 && GetGValue(P) < 100 && (Blue ? GetRValue(P) : GetBValue(P)) < 100)
                    ++N;
            }
        return N;
    };
    auto Becomes = [&](int Top, int Width, bool Blue) {
        return PumpUntil([&] { return Count(Top, Width, Blue) > 10 && Count(Top, Width, !Blue) == 0; }, 3000);
    };
    EXPECT_TRUE(Becomes(38, 88, false)) << "Alvendra starts red";
    EXPECT_TRUE(Becomes(102, 112, false)) << "Cestavo starts red";
    CaptureWindow(Soft).SavePng("pantrel-personal-software.png");

    MoveMouseTo(Group, 17 + 20, 38 + 9);
    EXPECT_TRUE(Becomes(38, 88, true)) << "Alvendra under the mouse";
    MoveMouseTo(Group, 17 + 20, 70 + 9);
    EXPECT_TRUE(Becomes(70, 88, true)) << "Borquine under the mouse";
    EXPECT_TRUE(Becomes(38, 88, false)) << "Alvendra left";
    MoveMouseTo(Group, 17 + 20, 134 + 9);
    EXPECT_TRUE(Becomes(70, 88, false)) << "Borquine left";
    EXPECT_EQ(Count(134, 136, true) + Count(134, 136, false), 0) << "Dravimel stays black";

    PostMessageA(Soft, WM_CLOSE, 0, 0);
    EXPECT_TRUE(WaitForWindowGone(Soft));
    EXPECT_TRUE(App.Quit());
}

// The skinned bar's entries run once per choice: 添加 by mouse and by keyboard opens one
// add-recipe dialog, 个人软件 one personal-software dialog, 退出系统 ends the program.
TEST(PantrelApp, MenuEntriesRunOnceByMouseAndByKeyboard)
{
    const std::string Dir = MakeScratchFolder("menus");
    TPantrel App(Dir);
    ASSERT_TRUE(App.WaitForMain());
    ASSERT_TRUE(PumpUntil([&] { return IsSkinned(App.Main()); }, 3000));
    auto Visible = [&](const char* Class) {
        int N = 0;
        for (HWND W : ProcessWindows(App.Process().Id(), Class))
            N += IsWindowVisible(W) ? 1 : 0;
        return N;
    };
    auto CloseAll = [&](const char* Class) {
        for (HWND W : ProcessWindows(App.Process().Id(), Class))
            if (IsWindowVisible(W)) {
                PostMessageA(W, WM_CLOSE, 0, 0);
                WaitForWindowGone(W);
            }
    };

    // By mouse: the bar's second button (【操作】, under the 28-pixel title bar), then the
    // drop-down's first entry (添加).
    RECT Main{};
    GetWindowRect(App.Main(), &Main);
    SetForegroundWindow(App.Main());
    PumpFor(200);
    ClickScreen(POINT{Main.left + 100, Main.top + 28 + GetSystemMetrics(SM_CYMENU) / 2});
    HWND Popup = App.WaitForWindow("#32768", nullptr, 5000);
    ASSERT_NE(Popup, nullptr) << "the drop-down opens under the bar";
    RECT Menu{};
    GetWindowRect(Popup, &Menu);
    EXPECT_GE(Menu.top, Main.top + 28 + GetSystemMetrics(SM_CYMENU) - 1) << "under the bar";
    PumpFor(300);
    RECT Both{};
    UnionRect(&Both, &Main, &Menu);
    CaptureScreenRect(Both).SavePng("pantrel-menu-open.png");
    ClickScreen(POINT{Menu.left + 30, Menu.top + 10});
    ASSERT_NE(App.WaitForWindow("TAddData", "菜谱的添加"), nullptr);
    PumpFor(500);
    EXPECT_EQ(Visible("TAddData"), 1);
    CloseAll("TAddData");

    // By keyboard: F10, Right, Enter opens 添加 once; F10, Right, Right, Down, Down, Enter 个人软件.
    App.MenuCommand(1, 0);
    ASSERT_NE(App.WaitForWindow("TAddData", "菜谱的添加"), nullptr);
    PumpFor(500);
    EXPECT_EQ(Visible("TAddData"), 1);
    CloseAll("TAddData");
    App.MenuCommand(2, 2);
    ASSERT_NE(App.WaitForWindow("TMySoft", "个人软件"), nullptr);
    PumpFor(500);
    EXPECT_EQ(Visible("TMySoft"), 1);
    CloseAll("TMySoft");

    // 退出系统 (【文件】, after 打印 and the separator) ends the program.
    App.MenuCommand(0, 1);
    EXPECT_TRUE(App.AnswerBoxesUntilExit());
}
