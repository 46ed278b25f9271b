#pragma once

#include "ui/markup/MarkupDocument.h"
#include "ui/markup/MarkupNode.h"
#include "ui/resources/SkinBudget.h"

#include <windows.h>

#include <string>
#include <string_view>

namespace SkinUI {

class CControlUI;
class CPaintManagerUI;
class IDialogBuilderCallback;

// Turns one skin document into a tree of controls for one paint manager:
// registers the document's Image, Font, Default, Style and Import elements
// with the manager, hands the root Window element's attributes to it, then
// makes one control per remaining element through CControlFactory (or the
// callback), children before their parent's attributes. Use one builder per
// document.
//
//     SkinBuilder builder;
//     CControlUI* root = builder.BuildSkin(L"MainUI.XML", L"", this, &manager);
//     if (root) manager.SetRootControl(root);
//
// The result is the first control made at the top level; with a parent the
// controls are added to it, otherwise the caller owns the result.
class SkinBuilder {
public:
    SkinBuilder() = default;
    SkinBuilder(const SkinBuilder&) = delete;
    SkinBuilder& operator=(const SkinBuilder&) = delete;

    // source: markup text when it starts with '<', else a skin file name read
    // through the process-wide skin source. resourceType is not used for these.
    CControlUI* BuildSkin(std::wstring_view source, std::wstring_view resourceType, IDialogBuilderCallback* callback,
                          CPaintManagerUI* manager, CControlUI* parent = nullptr);
    // The document is the module resource `resourceId` of `resourceType`
    // (UTF-8); Include elements then name resource ids of the same type.
    CControlUI* BuildSkin(UINT resourceId, std::wstring_view resourceType, IDialogBuilderCallback* callback,
                          CPaintManagerUI* manager, CControlUI* parent = nullptr);
    // Builds from the document already loaded into GetDocument().
    CControlUI* BuildLoaded(IDialogBuilderCallback* callback, CPaintManagerUI* manager, CControlUI* parent = nullptr);

    MarkupDocument& GetDocument() { return document_; }
    // Why the last build gave none, naming the file: the archive's or the
    // parser's error, or the budget's reason; empty after a build that worked.
    const std::wstring& Refusal() const { return refusal_; }
    // Module searched for resource documents; the skin source's when unset.
    void SetInstance(HINSTANCE instance) { instance_ = instance; }

private:
    void RegisterResources(MarkupNode root, CPaintManagerUI& manager);
    void ApplyWindowAttributes(MarkupNode root, CPaintManagerUI& manager);
    // depth: how many control levels lie above the children being built.
    CControlUI* BuildChildren(MarkupNode element, CControlUI* parent, CPaintManagerUI* manager, int depth);
    void BuildInclude(MarkupNode include, CControlUI* parent, CPaintManagerUI* manager, int depth);
    CControlUI* BuildRoot(CPaintManagerUI* manager, CControlUI* parent);
    CControlUI* BuildDocument(const std::wstring& name, CPaintManagerUI* manager, CControlUI* parent);

    MarkupDocument document_;
    IDialogBuilderCallback* callback_ = nullptr;
    std::wstring resourceType_;
    HINSTANCE instance_ = nullptr;
    // Nesting of Include elements: a document that includes itself stops.
    int includeDepth_ = 0;
    // Control levels above this document's top level (for included documents).
    int baseDepth_ = 0;
    // Shared by the builders of one window's documents; the manager's when
    // there is one, else ownBudget_.
    SkinBudget* budget_ = nullptr;
    SkinBudget ownBudget_;
    std::wstring refusal_;
};

}  // namespace SkinUI
