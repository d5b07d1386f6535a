#include "framework/ui/TreeView.h"

#include <algorithm>

// --- TTreeNode ---------------------------------------------------------------------------

PANTREL_REGISTER(TTreeNode, TPersistent)

TTreeNode::~TTreeNode()
{
    for (TTreeNode* Child : FChildren)
        delete Child;
}

TCustomTreeView* TTreeNode::TreeView() const
{
    return FOwner->Owner();
}

void TTreeNode::SetText(const std::string& Value)
{
    FText = Value;
    if (FItemId) {
        TVITEMA Item{};
        Item.mask = TVIF_TEXT;
        Item.hItem = FItemId;
        Item.pszText = FText.data();
        SendMessageA(TreeView()->Handle(), TVM_SETITEMA, 0, reinterpret_cast<LPARAM>(&Item));
    }
}

int TTreeNode::Level() const
{
    int Result = 0;
    for (const TTreeNode* P = FParent; P; P = P->FParent)
        ++Result;
    return Result;
}

TTreeNode* TTreeNode::Item(int Index) const
{
    if (Index < 0 || Index >= Count())
        throw EListError("Tree node index out of range (" + std::to_string(Index) + ")");
    return FChildren[size_t(Index)];
}

std::vector<TTreeNode*>& TTreeNode::Siblings() const
{
    return FOwner->ChildList(FParent);
}

int TTreeNode::Index() const
{
    const std::vector<TTreeNode*>& List = Siblings();
    return int(std::find(List.begin(), List.end(), this) - List.begin());
}

int TTreeNode::AbsoluteIndex() const
{
    int Result = 0;
    for (TTreeNode* Node = FOwner->GetFirstNode(); Node && Node != this; Node = Node->GetNext())
        ++Result;
    return Result;
}

TTreeNode* TTreeNode::GetNextSibling() const
{
    const std::vector<TTreeNode*>& List = Siblings();
    const size_t I = size_t(Index()) + 1;
    return I < List.size() ? List[I] : nullptr;
}

TTreeNode* TTreeNode::GetPrevSibling() const
{
    const int I = Index();
    return I > 0 ? Siblings()[size_t(I - 1)] : nullptr;
}

TTreeNode* TTreeNode::GetNext() const
{
    if (!FChildren.empty())
        return FChildren.front();
    for (const TTreeNode* Node = this; Node; Node = Node->FParent)
        if (TTreeNode* Next = Node->GetNextSibling())
            return Next;
    return nullptr;
}

bool TTreeNode::Selected() const
{
    return TreeView()->Selected() == this;
}

void TTreeNode::SetSelected(bool Value)
{
    if (Value)
        TreeView()->SetSelected(this);
    else if (Selected())
        TreeView()->SetSelected(nullptr);
}

bool TTreeNode::Expanded() const
{
    if (!FItemId)
        return FExpanded;
    const LRESULT State = SendMessageA(TreeView()->Handle(), TVM_GETITEMSTATE, reinterpret_cast<WPARAM>(FItemId),
                                       TVIS_EXPANDED);
    return (State & TVIS_EXPANDED) != 0;
}

void TTreeNode::SetExpanded(bool Value)
{
    FExpanded = Value;
    if (FItemId)
        SendMessageA(TreeView()->Handle(), TVM_EXPAND, Value ? TVE_EXPAND : TVE_COLLAPSE,
                     reinterpret_cast<LPARAM>(FItemId));
}

void TTreeNode::Expand(bool Recurse)
{
    SetExpanded(true);
    if (Recurse)
        for (TTreeNode* Child : FChildren)
            Child->Expand(true);
}

void TTreeNode::Collapse(bool Recurse)
{
    SetExpanded(false);
    if (Recurse)
        for (TTreeNode* Child : FChildren)
            Child->Collapse(true);
}

void TTreeNode::Delete()
{
    FOwner->Delete(this);
}

// --- TTreeNodes --------------------------------------------------------------------------

PANTREL_REGISTER(TTreeNodes, TPersistent)

TTreeNodes::~TTreeNodes()
{
    for (TTreeNode* Node : FRoots)
        delete Node;
}

int TTreeNodes::Count() const
{
    int Result = 0;
    for (TTreeNode* Node = GetFirstNode(); Node; Node = Node->GetNext())
        ++Result;
    return Result;
}

TTreeNode* TTreeNodes::Item(int Index) const
{
    TTreeNode* Node = Index >= 0 ? GetFirstNode() : nullptr;
    for (int I = 0; Node && I < Index; ++I)
        Node = Node->GetNext();
    if (!Node)
        throw EListError("Tree node index out of range (" + std::to_string(Index) + ")");
    return Node;
}

TTreeNode* TTreeNodes::Add(TTreeNode* Sibling, const std::string& S)
{
    TTreeNode* Parent = Sibling ? Sibling->FParent : nullptr;
    return InsertNode(Parent, ChildList(Parent).size(), S);
}

TTreeNode* TTreeNodes::AddFirst(TTreeNode* Sibling, const std::string& S)
{
    return InsertNode(Sibling ? Sibling->FParent : nullptr, 0, S);
}

TTreeNode* TTreeNodes::AddChild(TTreeNode* Parent, const std::string& S)
{
    return InsertNode(Parent, ChildList(Parent).size(), S);
}

TTreeNode* TTreeNodes::AddChildFirst(TTreeNode* Parent, const std::string& S)
{
    return InsertNode(Parent, 0, S);
}

TTreeNode* TTreeNodes::Insert(TTreeNode* Sibling, const std::string& S)
{
    if (!Sibling)
        return InsertNode(nullptr, FRoots.size(), S);
    return InsertNode(Sibling->FParent, size_t(Sibling->Index()), S);
}

TTreeNode* TTreeNodes::InsertNode(TTreeNode* Parent, size_t Position, const std::string& S)
{
    if (Parent && Parent->FOwner != this)
        throw EInvalidOperation("The node belongs to another tree");
    auto* Node = new TTreeNode(this);
    Node->FParent = Parent;
    Node->FText = S;
    std::vector<TTreeNode*>& List = ChildList(Parent);
    List.insert(List.begin() + std::ptrdiff_t(Position), Node);
    if (FOwner->HandleAllocated())
        CreateItem(Node);
    return Node;
}

void TTreeNodes::CreateItem(TTreeNode* Node)
{
    const HWND Tree = FOwner->Handle();
    TTreeNode* Previous = Node->GetPrevSibling();
    TVINSERTSTRUCTA Insert{};
    Insert.hParent = Node->FParent ? Node->FParent->FItemId : TVI_ROOT;
    Insert.hInsertAfter = Previous ? Previous->FItemId : TVI_FIRST;
    Insert.item.mask = TVIF_TEXT | TVIF_PARAM;
    Insert.item.pszText = Node->FText.data();
    Insert.item.lParam = reinterpret_cast<LPARAM>(Node);
    Node->FItemId = reinterpret_cast<HTREEITEM>(SendMessageA(Tree, TVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&Insert)));
    if (!Node->FItemId)
        throw EOutOfResources("Cannot add the tree node '" + Node->FText + "'");
    for (TTreeNode* Child : Node->FChildren)
        CreateItem(Child);
    if (Node->FExpanded)
        SendMessageA(Tree, TVM_EXPAND, TVE_EXPAND, reinterpret_cast<LPARAM>(Node->FItemId));
}

void TTreeNodes::ForgetItems(std::vector<TTreeNode*>& List)
{
    for (TTreeNode* Node : List) {
        Node->FItemId = nullptr;
        ForgetItems(Node->FChildren);
    }
}

void TTreeNodes::Delete(TTreeNode* Node)
{
    if (Node->FOwner != this)
        throw EInvalidOperation("The node belongs to another tree");
    for (TTreeNode* S = FOwner->FSelected; S; S = S->FParent)
        if (S == Node) {
            FOwner->FSelected = nullptr;
            break;
        }
    // The window may select another node (and say so) while the item goes; the node is
    // still in the list then, and freed only afterwards.
    if (Node->FItemId)
        SendMessageA(FOwner->Handle(), TVM_DELETEITEM, 0, reinterpret_cast<LPARAM>(Node->FItemId));
    std::vector<TTreeNode*>& List = Node->Siblings();
    List.erase(std::find(List.begin(), List.end(), Node));
    delete Node;
}

void TTreeNodes::Clear()
{
    FOwner->FSelected = nullptr;
    if (FOwner->HandleAllocated())
        SendMessageA(FOwner->Handle(), TVM_DELETEITEM, 0, reinterpret_cast<LPARAM>(TVI_ROOT));
    std::vector<TTreeNode*> Roots;
    Roots.swap(FRoots);
    for (TTreeNode* Node : Roots)
        delete Node;
}

// --- TCustomTreeView ---------------------------------------------------------------------

PANTREL_REGISTER(TCustomTreeView, TWinControl,
    PROP_BOOL(ReadOnly, ReadOnly, SetReadOnly),
    PROP_INT(Indent, Indent, SetIndent),
    PROP_BOOL(ShowLines, ShowLines, SetShowLines),
    PROP_BOOL(ShowRoot, ShowRoot, SetShowRoot),
    PROP_BOOL(ShowButtons, ShowButtons, SetShowButtons),
    PROP_BOOL(HideSelection, HideSelection, SetHideSelection),
    PROP_EVENT(OnChange, OnChange),
    PROP_EVENT(OnChanging, OnChanging),
    PROP_EVENT(OnExpanded, OnExpanded),
    PROP_EVENT(OnCollapsed, OnCollapsed))

PANTREL_REGISTER(TTreeView, TCustomTreeView)

TCustomTreeView::TCustomTreeView(TComponent* AOwner) : TWinControl(AOwner), FItems(new TTreeNodes(this))
{
    SetBounds(0, 0, 121, 97);
    SetColor(clWindow);
    SetTabStop(true);
}

TCustomTreeView::~TCustomTreeView()
{
    Destroying();
    DestroyHandle();
    delete FItems;
}

void TCustomTreeView::CreateParams(TCreateParams& Params)
{
    TWinControl::CreateParams(Params);
    CreateSubClass(Params, WC_TREEVIEWA);
    Params.ExStyle |= WS_EX_CLIENTEDGE;
    if (!FReadOnly)
        Params.Style |= TVS_EDITLABELS;
    if (FShowLines)
        Params.Style |= TVS_HASLINES;
    if (FShowRoot)
        Params.Style |= TVS_LINESATROOT;
    if (FShowButtons)
        Params.Style |= TVS_HASBUTTONS;
    if (!FHideSelection)
        Params.Style |= TVS_SHOWSELALWAYS;
}

void TCustomTreeView::CreateHandleDone()
{
    SendMessageA(FHandle, TVM_SETINDENT, WPARAM(FIndent), 0);
    FFillingWindow = true;
    try {
        for (TTreeNode* Node : FItems->FRoots)
            FItems->CreateItem(Node);
        if (FSelected)
            SendMessageA(FHandle, TVM_SELECTITEM, TVGN_CARET, reinterpret_cast<LPARAM>(FSelected->FItemId));
    } catch (...) {
        FFillingWindow = false;
        throw;
    }
    FFillingWindow = false;
}

void TCustomTreeView::DestroyWnd()
{
    // The nodes outlive the window: keep what only the window knew.
    FSelected = Selected();
    FIndent = Indent();
    for (TTreeNode* Node = FItems->GetFirstNode(); Node; Node = Node->GetNext())
        Node->FExpanded = Node->Expanded();
    FFillingWindow = true;
    TWinControl::DestroyWnd();
    FFillingWindow = false;
    FItems->ForgetItems(FItems->FRoots);
}

TTreeNode* TCustomTreeView::Selected() const
{
    if (!FHandle)
        return FSelected;
    TVITEMA Item{};
    Item.hItem = reinterpret_cast<HTREEITEM>(SendMessageA(FHandle, TVM_GETNEXTITEM, TVGN_CARET, 0));
    if (!Item.hItem)
        return nullptr;
    Item.mask = TVIF_PARAM;
    SendMessageA(FHandle, TVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&Item));
    return NodeOf(Item);
}

void TCustomTreeView::SetSelected(TTreeNode* Node)
{
    if (Node && Node->FOwner != FItems)
        throw EInvalidOperation("The node belongs to another tree");
    FSelected = Node;
    if (FHandle)
        SendMessageA(FHandle, TVM_SELECTITEM, TVGN_CARET, reinterpret_cast<LPARAM>(Node ? Node->FItemId : nullptr));
}

TTreeNode* TCustomTreeView::GetNodeAt(int X, int Y)
{
    TVHITTESTINFO Hit{};
    Hit.pt = POINT{X, Y};
    const auto Item = reinterpret_cast<HTREEITEM>(SendMessageA(Handle(), TVM_HITTEST, 0, reinterpret_cast<LPARAM>(&Hit)));
    if (!Item || !(Hit.flags & (TVHT_ONITEM | TVHT_ONITEMINDENT | TVHT_ONITEMBUTTON | TVHT_ONITEMRIGHT)))
        return nullptr;
    TVITEMA Info{};
    Info.mask = TVIF_PARAM;
    Info.hItem = Item;
    SendMessageA(FHandle, TVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&Info));
    return NodeOf(Info);
}

void TCustomTreeView::SetReadOnly(bool Value)
{
    SetStyleBit(FReadOnly, Value);
}

int TCustomTreeView::Indent() const
{
    return FHandle ? int(SendMessageA(FHandle, TVM_GETINDENT, 0, 0)) : FIndent;
}

void TCustomTreeView::SetIndent(int Value)
{
    FIndent = Value;
    if (FHandle)
        SendMessageA(FHandle, TVM_SETINDENT, WPARAM(Value), 0);
}

void TCustomTreeView::SetShowLines(bool Value)
{
    SetStyleBit(FShowLines, Value);
}

void TCustomTreeView::SetShowRoot(bool Value)
{
    SetStyleBit(FShowRoot, Value);
}

void TCustomTreeView::SetShowButtons(bool Value)
{
    SetStyleBit(FShowButtons, Value);
}

void TCustomTreeView::SetHideSelection(bool Value)
{
    SetStyleBit(FHideSelection, Value);
}

void TCustomTreeView::SetStyleBit(bool& Field, bool Value)
{
    if (Field == Value)
        return;
    Field = Value;
    RecreateWnd();
}

void TCustomTreeView::Change(TTreeNode* Node)
{
    OnChange(this, Node);
}

void TCustomTreeView::CNNotify(TMessage& Message)
{
    const auto* Header = reinterpret_cast<const NMHDR*>(Message.LParam);
    const auto* Notify = reinterpret_cast<const NMTREEVIEWA*>(Message.LParam);
    if (FFillingWindow || ComponentState().Contains(csDestroying))
        return;
    switch (Header->code) {
    case TVN_SELCHANGEDA:
    case TVN_SELCHANGEDW:
        Change(NodeOf(Notify->itemNew));
        break;
    case TVN_SELCHANGINGA:
    case TVN_SELCHANGINGW: {
        bool Allow = true;
        OnChanging(this, NodeOf(Notify->itemNew), Allow);
        Message.Result = !Allow;
        break;
    }
    case TVN_ITEMEXPANDEDA:
    case TVN_ITEMEXPANDEDW:
        if (TTreeNode* Node = NodeOf(Notify->itemNew)) {
            Node->FExpanded = (Notify->action & TVE_EXPAND) != 0;
            if (Node->FExpanded)
                OnExpanded(this, Node);
            else
                OnCollapsed(this, Node);
        }
        break;
    case TVN_BEGINLABELEDITA:
    case TVN_BEGINLABELEDITW:
        Message.Result = FReadOnly;
        break;
    case TVN_ENDLABELEDITA: {
        const auto* Edit = reinterpret_cast<const NMTVDISPINFOA*>(Message.LParam);
        if (Edit->item.pszText)
            if (TTreeNode* Node = NodeOf(Edit->item))
                Node->FText = Edit->item.pszText;
        Message.Result = TRUE;
        break;
    }
    }
}

void TCustomTreeView::Dispatch(TMessage& Message)
{
    if (Message.Msg == CN_NOTIFY)
        CNNotify(Message);
    else
        TWinControl::Dispatch(Message);
}
