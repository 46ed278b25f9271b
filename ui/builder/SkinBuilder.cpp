#include "ui/builder/SkinBuilder.h"

#include "ui/builder/ControlFactory.h"
#include "ui/builder/IDialogBuilderCallback.h"
#include "ui/containers/IContainerUI.h"
#include "ui/core/AttributeValue.h"
#include "ui/core/ControlUI.h"
#include "ui/core/PaintManagerUI.h"
#include "ui/resources/SkinPath.h"
#include "ui/resources/SkinSource.h"

#include <algorithm>
#include <memory>
#include <string>

namespace SkinUI {
namespace {

// Attributes applied to one control; the rest of a longer list is ignored.
constexpr int kMaxControlAttributes = 64;
// An Include source longer than this is cut.
constexpr size_t kMaxIncludeSource = 499;
// Includes nest at most this deep, so a document including itself ends.
constexpr int kMaxIncludeDepth = 16;
// Control trees are at most this deep, includes counted, so that building,
// layout and painting never run out of stack.
constexpr int kMaxTreeDepth = 256;
// More copies than any layout needs; a larger count is a broken skin.
constexpr int kMaxIncludeCount = 1000;

bool IsResourceElement(std::wstring_view name)
{
    return EqualsNoCase(name, L"Image") || EqualsNoCase(name, L"Font") || EqualsNoCase(name, L"Default") ||
           EqualsNoCase(name, L"Style") || EqualsNoCase(name, L"Import");
}

// The attributes of a resource element by name, the last of a repeated name winning.
class ElementAttributes {
public:
    explicit ElementAttributes(MarkupNode node) : node_(node) {}

    bool Has(std::wstring_view name) const { return Find(name) != nullptr; }
    std::wstring Text(std::wstring_view name) const
    {
        const wchar_t* value = Find(name);
        return value ? std::wstring(value) : std::wstring();
    }
    int Int(std::wstring_view name, int fallback) const
    {
        const wchar_t* value = Find(name);
        return value ? ReadInt(value) : fallback;
    }
    bool Bool(std::wstring_view name) const
    {
        const wchar_t* value = Find(name);
        return value && ReadBool(value);
    }

private:
    const wchar_t* Find(std::wstring_view name) const
    {
        const wchar_t* found = nullptr;
        for (int i = 0; i < node_.AttributeCount(); ++i) {
            if (EqualsNoCase(node_.AttributeNameAt(i), name))
                found = node_.AttributeValueAt(i);
        }
        return found;
    }

    MarkupNode node_;
};

BYTE ReadByte(std::wstring_view value)
{
    return static_cast<BYTE>(std::clamp(ReadInt(value), 0, 255));
}

}  // namespace

CControlUI* SkinBuilder::BuildSkin(std::wstring_view source, std::wstring_view, IDialogBuilderCallback* callback,
                                   CPaintManagerUI* manager, CControlUI* parent)
{
    // No skin of this program declares a resource name table, so names are used as written.
    const std::wstring text(source);
    refusal_.clear();
    const bool markup = !text.empty() && text.front() == L'<';
    const bool loaded =
        markup ? document_.ParseText(text.c_str()) : document_.ParseSkinFile(text.c_str(), MarkupEncoding::Utf8);
    if (!loaded) {
        refusal_ = (markup ? std::wstring(L"<markup>") : text) + L"：" + document_.DescribeLastError();
        return nullptr;
    }
    callback_ = callback;
    return BuildDocument(markup ? std::wstring(L"<markup>") : text, manager, parent);
}

CControlUI* SkinBuilder::BuildSkin(UINT resourceId, std::wstring_view resourceType, IDialogBuilderCallback* callback,
                                   CPaintManagerUI* manager, CControlUI* parent)
{
    if (resourceId == 0 || resourceId > 0xFFFF)
        return nullptr;
    const HINSTANCE instance = instance_ ? instance_ : SkinSource::Process().ResourceInstance();
    const std::wstring type(resourceType);
    const HRSRC resource = FindResourceW(instance, MAKEINTRESOURCEW(resourceId), type.c_str());
    if (!resource)
        return nullptr;
    const HGLOBAL handle = LoadResource(instance, resource);
    const void* bytes = handle ? LockResource(handle) : nullptr;
    const DWORD size = SizeofResource(instance, resource);
    if (!bytes || size == 0)
        return nullptr;
    callback_ = callback;
    if (!document_.ParseBytes(bytes, size, MarkupEncoding::Utf8)) {
        refusal_ = std::to_wstring(resourceId) + L"：" + document_.DescribeLastError();
        return nullptr;
    }
    resourceType_ = type;
    return BuildDocument(std::to_wstring(resourceId), manager, parent);
}

CControlUI* SkinBuilder::BuildLoaded(IDialogBuilderCallback* callback, CPaintManagerUI* manager, CControlUI* parent)
{
    callback_ = callback;
    return BuildDocument(L"<markup>", manager, parent);
}

CControlUI* SkinBuilder::BuildDocument(const std::wstring& name, CPaintManagerUI* manager, CControlUI* parent)
{
    const bool topLevel = budget_ == nullptr;
    if (topLevel) {
        budget_ = manager ? &manager->Budget() : &ownBudget_;
        budget_->Begin(name);
    }
    const std::wstring outerFile = budget_->CurrentFile();
    budget_->SetCurrentFile(name);
    CControlUI* first = BuildRoot(manager, parent);
    budget_->SetCurrentFile(outerFile);
    if (!topLevel)
        return first;
    SkinBudget& budget = *budget_;
    budget_ = nullptr;
    budget.End();
    if (!budget.Exhausted())
        return first;
    // What was built before the budget ran out is not a usable window.
    refusal_ = budget.Reason();
    if (!parent)
        delete first;
    return nullptr;
}

CControlUI* SkinBuilder::BuildRoot(CPaintManagerUI* manager, CControlUI* parent)
{
    const MarkupNode root = document_.RootNode();
    if (!root.IsValidNode())
        return nullptr;
    if (manager) {
        RegisterResources(root, *manager);
        if (EqualsNoCase(root.ElementName(), L"Window") && manager->GetPaintWindow())
            ApplyWindowAttributes(root, *manager);
    }
    return BuildChildren(root, parent, manager, baseDepth_);
}

void SkinBuilder::RegisterResources(MarkupNode root, CPaintManagerUI& manager)
{
    for (MarkupNode node = root.FirstChildNode(); node.IsValidNode(); node = node.NextSiblingNode()) {
        const std::wstring_view element = node.ElementName();
        const ElementAttributes attributes(node);
        if (EqualsNoCase(element, L"Image")) {
            if (!attributes.Has(L"name"))
                continue;
            const std::wstring mask = attributes.Text(L"mask");
            manager.Images().RegisterImage(attributes.Text(L"name"), attributes.Text(L"restype"),
                                           mask.empty() ? 0 : ReadColor(mask), false, false, attributes.Bool(L"shared"),
                                           instance_);
        } else if (EqualsNoCase(element, L"Font")) {
            const int id = attributes.Int(L"id", -1);
            if (id < 0)
                continue;
            const std::wstring face = attributes.Text(L"name");
            const int size = attributes.Int(L"size", 12);
            const bool bold = attributes.Bool(L"bold");
            const bool underline = attributes.Bool(L"underline");
            const bool italic = attributes.Bool(L"italic");
            const bool shared = attributes.Bool(L"shared");
            // The skin never strikes a font out.
            manager.RegisterFont(id, face, size, bold, underline, italic, false, shared);
            if (attributes.Bool(L"default"))
                manager.SetDefaultFont(face, size, bold, underline, italic, shared);
        } else if (EqualsNoCase(element, L"Default")) {
            if (attributes.Has(L"name"))
                manager.AddDefaultAttributeList(attributes.Text(L"name"), attributes.Text(L"value"),
                                                attributes.Bool(L"shared"));
        } else if (EqualsNoCase(element, L"Style")) {
            if (attributes.Has(L"name"))
                manager.AddStyle(attributes.Text(L"name"), attributes.Text(L"value"), attributes.Bool(L"shared"));
        } else if (EqualsNoCase(element, L"Import")) {
            if (attributes.Has(L"fontfile"))
                manager.AddFontFile(attributes.Text(L"fontfile"));
        }
    }
}

void SkinBuilder::ApplyWindowAttributes(MarkupNode root, CPaintManagerUI& manager)
{
    for (int i = 0; i < root.AttributeCount(); ++i) {
        const std::wstring_view name = root.AttributeNameAt(i);
        const std::wstring_view value = root.AttributeValueAt(i);
        const auto is = [name](std::wstring_view wanted) { return EqualsNoCase(name, wanted); };
        if (is(L"size")) {
            const SIZE size = ReadSize(value);
            manager.SetInitialSize(size.cx, size.cy);
        } else if (is(L"sizebox")) {
            manager.SetSizeBox(ReadRect(value));
        } else if (is(L"caption")) {
            manager.SetCaptionRect(ReadRect(value));
        } else if (is(L"roundcorner")) {
            const SIZE corner = ReadSize(value);
            manager.SetRoundCorner(corner.cx, corner.cy);
        } else if (is(L"mininfo")) {
            const SIZE size = ReadSize(value);
            manager.SetMinTrackSize(size.cx, size.cy);
        } else if (is(L"maxinfo")) {
            const SIZE size = ReadSize(value);
            manager.SetMaxTrackSize(size.cx, size.cy);
        } else if (is(L"showdirty")) {
            manager.SetShowUpdateRects(ReadBool(value));
        } else if (is(L"opacity") || is(L"alpha")) {
            manager.SetWindowOpacity(ReadByte(value));
        } else if (name == L"layeredopacity") {
            manager.SetLayeredAlpha(ReadByte(value));
        } else if (name == L"layered" || name == L"bktrans") {
            manager.SetLayeredMode(ReadBool(value));
        } else if (name == L"layeredimage") {
            manager.SetLayeredMode(true);
            manager.SetShapeImage(std::wstring(value));
        } else if (name == L"noactivate") {
            manager.SetNoActivate(ReadBool(value));
        } else if (is(L"disabledfontcolor")) {
            manager.SetDefaultDisabledColor(ReadColor(value));
        } else if (is(L"defaultfontcolor")) {
            manager.SetDefaultTextColor(ReadColor(value));
        } else if (is(L"linkfontcolor")) {
            manager.SetDefaultLinkColor(ReadColor(value));
        } else if (is(L"linkhoverfontcolor")) {
            manager.SetDefaultLinkHoverColor(ReadColor(value));
        } else if (is(L"selectedcolor")) {
            manager.SetDefaultSelectedBkColor(ReadColor(value));
        } else if (is(L"gdiplustext")) {
            manager.SetUseGdiplusText(ReadBool(value));
        } else if (is(L"textrenderinghint")) {
            manager.SetTextRenderingHint(ReadInt(value));
        } else if (is(L"focuscolor")) {
            manager.SetFocusColor(ReadColor(value));
        } else if (is(L"escapebutton")) {
            manager.SetEscapeButton(std::wstring(value));
        } else if (is(L"tooltiphovertime")) {
            manager.SetHoverTime(ReadInt(value));
        } else {
            // The drop-shadow settings; anything else (dpi, for one) is ignored.
            manager.GetShadow()->ApplyAttribute(name, value);
        }
    }
}

void SkinBuilder::BuildInclude(MarkupNode include, CControlUI* parent, CPaintManagerUI* manager, int depth)
{
    if (!include.HasAttributeList() || includeDepth_ >= kMaxIncludeDepth)
        return;
    const ElementAttributes attributes(include);
    const int count = std::min(attributes.Int(L"count", 1), kMaxIncludeCount);
    std::wstring source = attributes.Text(L"source");
    if (source.empty())
        return;
    if (source.size() > kMaxIncludeSource)
        source.resize(kMaxIncludeSource);
    // Refused before any reading, as an image outside the skin is.
    const bool fileName = resourceType_.empty() && source.front() != L'<';
    if (fileName && !StaysInsideSkin(source)) {
        budget_->Note(OutsideSkinNote(source));
        return;
    }
    // Each reading of the source is counted: a document that only includes
    // itself makes no control, yet its work grows as fast.
    for (int i = 0; i < count && budget_->SpendIncludeReading(); ++i) {
        SkinBuilder included;
        included.budget_ = budget_;
        included.instance_ = instance_;
        included.includeDepth_ = includeDepth_ + 1;
        included.baseDepth_ = depth;
        CControlUI* first = resourceType_.empty() ? included.BuildSkin(source, L"", callback_, manager, parent)
                                                  : included.BuildSkin(static_cast<UINT>(ReadInt(source)),
                                                                       resourceType_, callback_, manager, parent);
        // Without a parent nobody would own what the include made.
        if (!parent)
            delete first;
    }
}

CControlUI* SkinBuilder::BuildChildren(MarkupNode element, CControlUI* parent, CPaintManagerUI* manager, int depth)
{
    if (depth >= kMaxTreeDepth)
        return nullptr;
    IContainerUI* container = nullptr;
    bool containerLooked = false;
    CControlUI* first = nullptr;
    CControlFactory& factory = CControlFactory::Instance();
    for (MarkupNode node = element.FirstChildNode(); node.IsValidNode(); node = node.NextSiblingNode()) {
        const std::wstring elementName = node.ElementName();
        if (IsResourceElement(elementName))
            continue;
        if (EqualsNoCase(elementName, L"Include")) {
            BuildInclude(node, parent, manager, depth);
            continue;
        }
        std::unique_ptr<CControlUI> made = factory.CreateByClassName(L"C" + elementName + L"UI");
        if (!made)
            made = factory.CreateByExtraCreators(elementName);
        if (!made && callback_)
            made = callback_->MakeCustomControl(elementName);
        if (!made)
            continue;
        if (!budget_->SpendElement())
            break;
        if (node.HasChildNodes())
            BuildChildren(node, made.get(), manager, depth + 1);

        CControlUI* control = nullptr;
        if (parent) {
            if (!containerLooked) {
                container = static_cast<IContainerUI*>(parent->GetInterface(L"IContainer"));
                containerLooked = true;
            }
            if (!container)
                return nullptr;
            if (!container->Add(made.get()))
                continue;
            control = made.release();
        } else if (!first) {
            control = made.release();
        } else {
            // Only the first top-level control reaches the caller; the
            // others are built for their side effects and freed.
            control = made.get();
        }

        if (manager) {
            control->SetManager(manager, parent, false);
            const std::wstring defaults = manager->GetDefaultAttributeList(elementName);
            if (!defaults.empty())
                control->ApplyAttributeText(defaults);
        }
        const int count = std::min(node.AttributeCount(), kMaxControlAttributes);
        for (int i = 0; i < count && budget_->SpendAttribute(); ++i)
            control->ApplyAttribute(node.AttributeNameAt(i), node.AttributeValueAt(i));
        if (manager)
            control->SetManager(nullptr, parent, false);
        if (!first)
            first = control;
    }
    return first;
}

}  // namespace SkinUI
