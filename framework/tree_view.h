#pragma once
// The system tree view: nodes added by the program with pictures from an
// image list, expanded and collapsed by the user with mouse or keyboard.
#include <windows.h>

#include <commctrl.h>

#include <deque>

#include "framework/image_list.h"
#include "framework/win_control.h"

namespace qm {

class TTreeView;

class TTreeNode {
public:
    TTreeNode(TTreeView& owner, HTREEITEM item, int data) : owner_(owner), item_(item), data_(data) {}

    HTREEITEM Item() const { return item_; }
    std::string Text() const;
    // 0 for a top-level node.
    int Level() const;
    TTreeNode* Parent() const;
    std::vector<TTreeNode*> Children() const;
    int ImageIndex() const;
    // Any number the program stores with the node.
    int Data() const { return data_; }
    void SetData(int data) { data_ = data; }
    bool Expanded() const;
    void Expand();
    void Collapse();
    // Orders the node's children alphabetically.
    void SortChildren();

private:
    friend class TTreeView;
    TTreeView& owner_;
    HTREEITEM item_;
    int data_;
};

class TTreeView : public TWinControl {
public:
    TTreeView();
    static const TypeInfo& StaticType();
    const TypeInfo& Type() const override { return StaticType(); }
    void Loaded() override;

    bool ReadOnly() const { return readOnly_; }
    void SetReadOnly(bool readOnly) { readOnly_ = readOnly; }
    bool ShowLines() const { return showLines_; }
    void SetShowLines(bool on) { showLines_ = on; }
    bool ShowRoot() const { return showRoot_; }
    void SetShowRoot(bool on) { showRoot_ = on; }
    const std::string& ImagesName() const { return images_.Name(); }
    void SetImagesName(const std::string& name);
    void SetImages(TImageList* images);

    // Adds a node under `parent` (null: at the top); null without a window.
    TTreeNode* AddChild(TTreeNode* parent, const std::string& text, int imageIndex = -1, int data = 0);
    void Clear();
    int Count() const { return static_cast<int>(nodes_.size()); }
    // The top-level nodes.
    std::vector<TTreeNode*> Roots() const;
    TTreeNode* Selected() const;
    void Select(TTreeNode* node);
    TTreeNode* NodeOf(HTREEITEM item) const;

    NotifyEvent OnChange; // the selection moved
    NotifyEvent OnDblClick;
    NotifyEvent OnExpanded; // a node was expanded or collapsed

protected:
    WindowClass ControlClass() const override;
    DWORD ControlStyle() const override;
    DWORD ExStyle() const override { return TWinControl::ExStyle() | WS_EX_CLIENTEDGE; }
    void HandleCreated() override;
    bool Notify(NMHDR& header, LRESULT& result) override;

private:
    friend class TTreeNode;
    bool readOnly_ = true;
    bool showLines_ = true;
    bool showRoot_ = true;
    ImageListLink images_;
    std::deque<TTreeNode> nodes_;
};

} // namespace qm
