// drag_source.exe <x> <y> <path>...
//
// Drags the given files from this process with a real OLE drag and drop, as
// the shell does (a CF_HDROP data object), and drops them at the screen point
// (x, y). The cursor is moved there from the drop source while the drag runs,
// and the drop follows a few ticks of the drag loop later, once the window
// under the point has seen the files come in.
//
// Exit code: 0 when a target took the drop, 1 when the drop was refused or
// cancelled, 2 for a bad command line or a drag that could not start.
#include <windows.h>
#include <ole2.h>
#include <shellapi.h>
#include <shlobj.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

namespace {

// Enough ticks of the drag loop (50 ms each under Wine) for the target to
// get DragEnter and DragOver at the new point before the drop.
constexpr int TicksBeforeDrop = 4;

FORMATETC FilesFormat() { return {CF_HDROP, nullptr, DVASPECT_CONTENT, -1, TYMED_HGLOBAL}; }

// A DROPFILES block with the paths as UTF-16, each ended by a 0, then a 0.
HGLOBAL MakeDropFiles(const std::vector<std::wstring>& paths)
{
    std::wstring list;
    for (const std::wstring& path : paths) list += path + L'\0';
    list += L'\0';
    const SIZE_T size = sizeof(DROPFILES) + list.size() * sizeof(wchar_t);
    HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, size);
    if (block == nullptr) return nullptr;
    auto* header = static_cast<DROPFILES*>(GlobalLock(block));
    header->pFiles = sizeof(DROPFILES);
    header->fWide = TRUE;
    std::memcpy(header + 1, list.data(), list.size() * sizeof(wchar_t));
    GlobalUnlock(block);
    return block;
}

template <typename Interface>
class ComObject : public Interface {
public:
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID id, void** object) override
    {
        if (id == IID_IUnknown || id == __uuidof(Interface)) {
            *object = static_cast<Interface*>(this);
            this->AddRef();
            return S_OK;
        }
        *object = nullptr;
        return E_NOINTERFACE;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return InterlockedIncrement(&references_); }
    ULONG STDMETHODCALLTYPE Release() override
    {
        const LONG left = InterlockedDecrement(&references_);
        if (left == 0) delete this;
        return left;
    }
    virtual ~ComObject() = default;

private:
    LONG references_ = 1;
};

class FilesDataObject final : public ComObject<IDataObject> {
public:
    explicit FilesDataObject(std::vector<std::wstring> paths) : paths_(std::move(paths)) {}

    HRESULT STDMETHODCALLTYPE GetData(FORMATETC* format, STGMEDIUM* medium) override
    {
        if (QueryGetData(format) != S_OK) return DV_E_FORMATETC;
        medium->tymed = TYMED_HGLOBAL;
        medium->hGlobal = MakeDropFiles(paths_);
        medium->pUnkForRelease = nullptr;
        return medium->hGlobal != nullptr ? S_OK : E_OUTOFMEMORY;
    }
    HRESULT STDMETHODCALLTYPE GetDataHere(FORMATETC*, STGMEDIUM*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE QueryGetData(FORMATETC* format) override
    {
        return format->cfFormat == CF_HDROP && (format->tymed & TYMED_HGLOBAL) != 0 ? S_OK : DV_E_FORMATETC;
    }
    HRESULT STDMETHODCALLTYPE GetCanonicalFormatEtc(FORMATETC*, FORMATETC* out) override
    {
        out->ptd = nullptr;
        return E_NOTIMPL;
    }
    HRESULT STDMETHODCALLTYPE SetData(FORMATETC*, STGMEDIUM*, BOOL) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE EnumFormatEtc(DWORD direction, IEnumFORMATETC** formats) override
    {
        if (direction != DATADIR_GET) return E_NOTIMPL;
        FORMATETC format = FilesFormat();
        return SHCreateStdEnumFmtEtc(1, &format, formats);
    }
    HRESULT STDMETHODCALLTYPE DAdvise(FORMATETC*, DWORD, IAdviseSink*, DWORD*) override
    {
        return OLE_E_ADVISENOTSUPPORTED;
    }
    HRESULT STDMETHODCALLTYPE DUnadvise(DWORD) override { return OLE_E_ADVISENOTSUPPORTED; }
    HRESULT STDMETHODCALLTYPE EnumDAdvise(IEnumSTATDATA**) override { return OLE_E_ADVISENOTSUPPORTED; }

private:
    std::vector<std::wstring> paths_;
};

class MovingDropSource final : public ComObject<IDropSource> {
public:
    explicit MovingDropSource(POINT target) : target_(target) {}

    HRESULT STDMETHODCALLTYPE QueryContinueDrag(BOOL escapePressed, DWORD) override
    {
        if (escapePressed) return DRAGDROP_S_CANCEL;
        SetCursorPos(target_.x, target_.y);
        return ++ticks_ > TicksBeforeDrop ? DRAGDROP_S_DROP : S_OK;
    }
    HRESULT STDMETHODCALLTYPE GiveFeedback(DWORD) override { return DRAGDROP_S_USEDEFAULTCURSORS; }

private:
    POINT target_;
    int ticks_ = 0;
};

}  // namespace

int main()
{
    int count = 0;
    wchar_t** arguments = CommandLineToArgvW(GetCommandLineW(), &count);
    if (arguments == nullptr || count < 4) {
        std::fprintf(stderr, "usage: drag_source.exe <x> <y> <path>...\n");
        return 2;
    }
    const POINT target{std::wcstol(arguments[1], nullptr, 10), std::wcstol(arguments[2], nullptr, 10)};
    std::vector<std::wstring> paths(arguments + 3, arguments + count);
    LocalFree(arguments);

    if (FAILED(OleInitialize(nullptr))) return 2;
    auto* data = new FilesDataObject(std::move(paths));
    auto* source = new MovingDropSource(target);
    DWORD effect = DROPEFFECT_NONE;
    const HRESULT result =
        DoDragDrop(data, source, DROPEFFECT_COPY | DROPEFFECT_MOVE | DROPEFFECT_LINK, &effect);
    source->Release();
    data->Release();
    OleUninitialize();

    const bool dropped = result == DRAGDROP_S_DROP && effect != DROPEFFECT_NONE;
    std::printf("drag_source: result 0x%08lX, effect %lu\n", static_cast<unsigned long>(result),
                static_cast<unsigned long>(effect));
    if (FAILED(result)) return 2;
    return dropped ? 0 : 1;
}
