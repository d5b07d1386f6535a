// The tree: selection by mouse and keys reports every change with the right node, and the
// nodes in memory and in the window agree, also across a new window.
#include "tests/controls/GalleryFixture.h"

#include <commctrl.h>

#include <cstring>

namespace {

std::string ItemText(HWND Tree, HTREEITEM Item)
{
    char Buffer[256] = {};
    TVITEMA Info{};
    Info.mask = TVIF_TEXT;
    Info.hItem = Item;
    Info.pszText = Buffer;
    Info.cchTextMax = sizeof Buffer;
    SendMessageA(Tree, TVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&Info));
    return Buffer;
}

HTREEITEM Next(HWND Tree, UINT Flag, HTREEITEM Item)
{
    return reinterpret_cast<HTREEITEM>(SendMessageA(Tree, TVM_GETNEXTITEM, Flag, reinterpret_cast<LPARAM>(Item)));
}

POINT CentreOf(TTreeView* Tree, TTreeNode* Node)
{
    // TVM_GETITEMRECT takes the item in the rectangle it fills.
    RECT R{};
    const HTREEITEM Id = Node->ItemId();
    memcpy(&R, &Id, sizeof Id);
    SendMessageA(Tree->Handle(), TVM_GETITEMRECT, TRUE, reinterpret_cast<LPARAM>(&R));
    return ScreenPointOf(Tree, (R.left + R.right) / 2, (R.top + R.bottom) / 2);
}

} // namespace

TEST_F(GalleryTest, ClicksAndArrowKeysReportEachSelectionWithItsNode)
{
    TTreeView* Tree = Form->TreeView1;
    TTreeNode* Sichuan = Form->Root->Item(0);
    TTreeNode* Cantonese = Form->Root->Item(1);

    ClickAt(CentreOf(Tree, Cantonese));
    AppPumpUntil([&] { return !Form->TreeChanges.empty(); });
    ASSERT_FALSE(Form->TreeChanges.empty());
    EXPECT_EQ(Form->TreeChanges.back(), Cantonese);
    EXPECT_EQ(Tree->Selected(), Cantonese);
    EXPECT_TRUE(Tree->Focused());

    Form->TreeChanges.clear();
    ClickAt(CentreOf(Tree, Sichuan->Item(2)));
    PressKey(VK_DOWN);   // the next category
    PressKey(VK_UP);     // back
    PressKey(VK_UP);     // the recipe above
    AppPumpUntil([&] { return Form->TreeChanges.size() >= 4; });
    ASSERT_EQ(Form->TreeChanges.size(), 4u);
    EXPECT_EQ(Form->TreeChanges[0], Sichuan->Item(2));
    EXPECT_EQ(Form->TreeChanges[1], Cantonese);
    EXPECT_EQ(Form->TreeChanges[2], Sichuan->Item(2));
    TTreeNode* Last = Form->TreeChanges[3];
    EXPECT_EQ(Last, Sichuan->Item(1));
    EXPECT_EQ(Last->Text(), "川菜回锅肉");
    EXPECT_EQ(Last->Level(), 2);
    EXPECT_EQ(Last->Parent(), Sichuan);
    EXPECT_EQ(Last->Parent()->Parent(), Form->Root);
    EXPECT_EQ(Form->Root->Level(), 0);

    // A selection made in code is reported too.
    Tree->SetSelected(Form->Root);
    EXPECT_EQ(Form->TreeChanges.back(), Form->Root);
}

TEST_F(GalleryTest, NodesInMemoryAndInTheWindowAgree)
{
    TTreeView* Tree = Form->TreeView1;
    const HWND Wnd = Tree->Handle();
    TTreeNodes* Items = Tree->Items();
    EXPECT_EQ(Items->Count(), 9);
    EXPECT_EQ(SendMessageA(Wnd, TVM_GETCOUNT, 0, 0), 9);

    TTreeNode* Sichuan = Form->Root->Item(0);
    TTreeNode* First = Items->AddChildFirst(Sichuan, "水煮鱼");
    Items->AddFirst(Sichuan, "湘菜");
    Items->Insert(Form->Root->Item(2), "鲁菜");   // before 粤菜
    Sichuan->Item(3)->SetText("川菜白切鸡改");

    auto Texts = [&](HTREEITEM Parent) {
        std::vector<std::string> List;
        const HWND Now = Tree->Handle();
        for (HTREEITEM I = Next(Now, TVGN_CHILD, Parent); I; I = Next(Now, TVGN_NEXT, I))
            List.push_back(ItemText(Now, I));
        return List;
    };
    EXPECT_EQ(Texts(Form->Root->ItemId()), (std::vector<std::string>{"湘菜", "川菜", "鲁菜", "粤菜"}));
    EXPECT_EQ(Texts(Sichuan->ItemId()),
              (std::vector<std::string>{"水煮鱼", "川菜麻婆豆腐", "川菜回锅肉", "川菜白切鸡改"}));
    EXPECT_EQ(First->Index(), 0);
    EXPECT_EQ(First->AbsoluteIndex(), 3);
    EXPECT_EQ(Items->Item(3), First);

    // Selection and expansion survive a new window (showing lines re-creates it).
    TTreeNode* Cantonese = Form->Root->Item(3);
    Tree->SetSelected(First);
    Cantonese->Collapse(false);
    Tree->SetShowLines(false);
    EXPECT_NE(Tree->Handle(), Wnd);
    EXPECT_EQ(SendMessageA(Tree->Handle(), TVM_GETCOUNT, 0, 0), Items->Count());
    EXPECT_EQ(Tree->Selected(), First);
    EXPECT_FALSE(Cantonese->Expanded());
    EXPECT_TRUE(Sichuan->Expanded());
    EXPECT_TRUE(Form->Root->Expanded());
    EXPECT_EQ(Texts(Form->Root->ItemId()), (std::vector<std::string>{"湘菜", "川菜", "鲁菜", "粤菜"}));

    // Deleting the selected node moves the selection without a dangling node.
    Form->TreeChanges.clear();
    Sichuan->Delete();   // with its four recipes
    EXPECT_EQ(Items->Count(), 7);
    EXPECT_EQ(SendMessageA(Tree->Handle(), TVM_GETCOUNT, 0, 0), 7);
    for (TTreeNode* Node : Form->TreeChanges)
        if (Node) {
            EXPECT_GE(Node->AbsoluteIndex(), 0) << "a node the tree still holds";
        }
    Items->Clear();
    EXPECT_EQ(Tree->Selected(), nullptr);
    EXPECT_EQ(SendMessageA(Tree->Handle(), TVM_GETCOUNT, 0, 0), 0);
}

TEST_F(GalleryTest, ReadOnlyTreeRefusesLabelEditing)
{
    TTreeView* Tree = Form->TreeView1;
    Tree->SetFocus();
    const HWND Edit = reinterpret_cast<HWND>(
        SendMessageA(Tree->Handle(), TVM_EDITLABELA, 0, reinterpret_cast<LPARAM>(Form->Root->ItemId())));
    EXPECT_EQ(Edit, nullptr);
    EXPECT_EQ(Form->Root->Text(), "Pantrel");
}
