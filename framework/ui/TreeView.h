// TTreeView over the system tree control: TTreeNode (one node: text, level, parent,
// children, selection, expansion), TTreeNodes (the tree's nodes, kept in memory and mirrored
// into the window whenever it exists) and TCustomTreeView / TTreeView (OnChange on every
// selection change).
#pragma once

#include <string>
#include <vector>

#include "framework/ui/WinControl.h"

#include <commctrl.h>

class TCustomTreeView;
class TTreeNodes;

class TTreeNode : public TPersistent {
    PANTREL_CLASS(TTreeNode, TPersistent)
    TTreeNode(const TTreeNode&) = delete;
    TTreeNode& operator=(const TTreeNode&) = delete;

    TTreeNodes* Owner() const { return FOwner; }
    TCustomTreeView* TreeView() const;
    const std::string& Text() const { return FText; }
    void SetText(const std::string& Value);
    void* Data() const { return FData; }
    void SetData(void* Value) { FData = Value; }

    // 0 for a top-level node, 1 for its children, and so on.
    int Level() const;
    TTreeNode* Parent() const { return FParent; }
    int Count() const { return static_cast<int>(FChildren.size()); }
    TTreeNode* Item(int Index) const;
    bool HasChildren() const { return !FChildren.empty(); }
    // Position among its siblings.
    int Index() const;
    // Position in the whole tree, counted depth first.
    int AbsoluteIndex() const;
    TTreeNode* GetFirstChild() const { return FChildren.empty() ? nullptr : FChildren.front(); }
    TTreeNode* GetLastChild() const { return FChildren.empty() ? nullptr : FChildren.back(); }
    TTreeNode* GetNextSibling() const;
    TTreeNode* GetPrevSibling() const;
    // The next node depth first (children before siblings), or null.
    TTreeNode* GetNext() const;

    bool Selected() const;
    void SetSelected(bool Value);
    bool Expanded() const;
    void SetExpanded(bool Value);
    void Expand(bool Recurse);
    void Collapse(bool Recurse);
    // The item in the tree's window, or null while there is none.
    HTREEITEM ItemId() const { return FItemId; }

    // Removes the node and its children from the tree and frees them.
    void Delete();

private:
    friend class TTreeNodes;
    friend class TCustomTreeView;
    explicit TTreeNode(TTreeNodes* AOwner) : FOwner(AOwner) {}
    ~TTreeNode() override;
    std::vector<TTreeNode*>& Siblings() const;

    TTreeNodes* FOwner;
    TTreeNode* FParent = nullptr;
    std::vector<TTreeNode*> FChildren;
    std::string FText;
    void* FData = nullptr;
    HTREEITEM FItemId = nullptr;
    bool FExpanded = false;
};

class TTreeNodes : public TPersistent {
    PANTREL_CLASS(TTreeNodes, TPersistent)
    explicit TTreeNodes(TCustomTreeView* AOwner) : FOwner(AOwner) {}
    ~TTreeNodes() override;
    TTreeNodes(const TTreeNodes&) = delete;
    TTreeNodes& operator=(const TTreeNodes&) = delete;

    TCustomTreeView* Owner() const { return FOwner; }
    // Every node of the tree.
    int Count() const;
    // By absolute (depth-first) index.
    TTreeNode* Item(int Index) const;
    TTreeNode* GetFirstNode() const { return FRoots.empty() ? nullptr : FRoots.front(); }

    // The new node becomes the last (Add) or first (AddFirst) sibling of Sibling; with no
    // Sibling, a top-level node.
    TTreeNode* Add(TTreeNode* Sibling, const std::string& S);
    TTreeNode* AddFirst(TTreeNode* Sibling, const std::string& S);
    // The new node becomes the last (AddChild) or first (AddChildFirst) child of Parent;
    // with no Parent, a top-level node.
    TTreeNode* AddChild(TTreeNode* Parent, const std::string& S);
    TTreeNode* AddChildFirst(TTreeNode* Parent, const std::string& S);
    // The new node is put before Sibling (at the end of the top level without one).
    TTreeNode* Insert(TTreeNode* Sibling, const std::string& S);
    void Delete(TTreeNode* Node);
    void Clear();

private:
    friend class TTreeNode;
    friend class TCustomTreeView;
    TTreeNode* InsertNode(TTreeNode* Parent, size_t Position, const std::string& S);
    std::vector<TTreeNode*>& ChildList(TTreeNode* Parent) { return Parent ? Parent->FChildren : FRoots; }
    // Mirrors a node (and its children) into the tree's window.
    void CreateItem(TTreeNode* Node);
    void ForgetItems(std::vector<TTreeNode*>& List);

    TCustomTreeView* FOwner;
    std::vector<TTreeNode*> FRoots;
};

using TTVChangedEvent = TDelegate<void(TObject* Sender, TTreeNode* Node)>;
using TTVChangingEvent = TDelegate<void(TObject* Sender, TTreeNode* Node, bool& AllowChange)>;

class TCustomTreeView : public TWinControl {
    PANTREL_CLASS(TCustomTreeView, TWinControl)
    explicit TCustomTreeView(TComponent* AOwner);
    ~TCustomTreeView() override;

    TTreeNodes* Items() const { return FItems; }
    TTreeNode* Selected() const;
    void SetSelected(TTreeNode* Node);

    // No in-place editing of the labels.
    bool ReadOnly() const { return FReadOnly; }
    void SetReadOnly(bool Value);
    int Indent() const;
    void SetIndent(int Value);
    bool ShowLines() const { return FShowLines; }
    void SetShowLines(bool Value);
    bool ShowRoot() const { return FShowRoot; }
    void SetShowRoot(bool Value);
    bool ShowButtons() const { return FShowButtons; }
    void SetShowButtons(bool Value);
    bool HideSelection() const { return FHideSelection; }
    void SetHideSelection(bool Value);

    // The node at a client point, or null.
    TTreeNode* GetNodeAt(int X, int Y);
    // Runs on every selection change, with the newly selected node.
    TTVChangedEvent OnChange;
    TTVChangingEvent OnChanging;
    TTVChangedEvent OnExpanded;
    TTVChangedEvent OnCollapsed;

protected:
    void CreateParams(TCreateParams& Params) override;
    void CreateHandleDone() override;
    void DestroyWnd() override;
    void Dispatch(TMessage& Message) override;
    virtual void Change(TTreeNode* Node);

private:
    friend class TTreeNode;
    friend class TTreeNodes;
    void SetStyleBit(bool& Field, bool Value);
    void CNNotify(TMessage& Message);
    static TTreeNode* NodeOf(const TVITEMA& Item) { return reinterpret_cast<TTreeNode*>(Item.lParam); }

    TTreeNodes* FItems;
    TTreeNode* FSelected = nullptr;   // kept while the window does not exist
    bool FReadOnly = false;
    int FIndent = 19;
    bool FShowLines = true;
    bool FShowRoot = true;
    bool FShowButtons = true;
    bool FHideSelection = true;
    bool FFillingWindow = false;
};

class TTreeView : public TCustomTreeView {
    PANTREL_CLASS(TTreeView, TCustomTreeView)
    explicit TTreeView(TComponent* AOwner) : TCustomTreeView(AOwner) {}
};
