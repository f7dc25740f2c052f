#include "report/FileDropTarget.h"

#include <ole2.h>
#include <shellapi.h>

#include <new>
#include <vector>

#include "report/ReportJob.h"

namespace {

class FileDropTarget final : public IDropTarget {
public:
    explicit FileDropTarget(DropDelivery deliver) : deliver_(deliver) {}

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID id, void** object) override
    {
        if (id == IID_IUnknown || id == IID_IDropTarget) {
            *object = static_cast<IDropTarget*>(this);
            AddRef();
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

    HRESULT STDMETHODCALLTYPE DragEnter(IDataObject* data, DWORD, POINTL, DWORD* effect) override
    {
        FORMATETC format = FilesFormat();
        acceptable_ = data != nullptr && data->QueryGetData(&format) == S_OK;
        *effect = Effect();
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE DragOver(DWORD, POINTL, DWORD* effect) override
    {
        *effect = Effect();
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE DragLeave() override
    {
        acceptable_ = false;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE Drop(IDataObject* data, DWORD, POINTL, DWORD* effect) override
    {
        *effect = DROPEFFECT_NONE;
        acceptable_ = false;
        // The data object is only valid inside this call: take the paths out
        // before anything else runs.
        std::vector<std::wstring> paths = DroppedPaths(data);
        if (paths.empty()) return S_OK;
        *effect = DROPEFFECT_COPY;
        deliver_(DropText(paths.data(), paths.size()));
        return S_OK;
    }

private:
    ~FileDropTarget() = default;

    static FORMATETC FilesFormat() { return {CF_HDROP, nullptr, DVASPECT_CONTENT, -1, TYMED_HGLOBAL}; }
    DWORD Effect() const { return acceptable_ ? DROPEFFECT_COPY : DROPEFFECT_NONE; }

    static std::vector<std::wstring> DroppedPaths(IDataObject* data)
    {
        std::vector<std::wstring> paths;
        FORMATETC format = FilesFormat();
        STGMEDIUM medium{};
        if (data == nullptr || data->GetData(&format, &medium) != S_OK) return paths;
        if (auto drop = static_cast<HDROP>(GlobalLock(medium.hGlobal))) {
            const UINT count = DragQueryFileW(drop, 0xFFFFFFFF, nullptr, 0);
            for (UINT i = 0; i < count; ++i) {
                std::wstring path(DragQueryFileW(drop, i, nullptr, 0), L'\0');
                DragQueryFileW(drop, i, path.data(), static_cast<UINT>(path.size() + 1));
                paths.push_back(std::move(path));
            }
            GlobalUnlock(medium.hGlobal);
        }
        ReleaseStgMedium(&medium);
        return paths;
    }

    LONG references_ = 1;
    bool acceptable_ = false;
    DropDelivery deliver_;
};

}  // namespace

std::wstring DropText(const std::wstring* paths, std::size_t count)
{
    if (count == 1) return paths[0];
    std::wstring text;
    for (std::size_t i = 0; i < count; ++i) text += paths[i] + L"\r\n";
    return text;
}

bool RegisterDropTarget(HWND window, DropDelivery deliver)
{
    auto* target = new (std::nothrow) FileDropTarget(deliver);
    if (target == nullptr) return false;
    // The registration holds its own reference for as long as the window lives.
    const bool registered = RegisterDragDrop(window, target) == S_OK;
    target->Release();
    return registered;
}

bool RegisterFileDropTarget(HWND window)
{
    return RegisterDropTarget(window, OnFileDropped);
}
