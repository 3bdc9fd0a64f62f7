#include "win32/accessible_text.h"

#include <initguid.h>
#include <objbase.h>
#include <oleacc.h>

#include "core/wide_text.h"

namespace sorvane::win32 {
namespace {

void SetProperty(IAccPropServices* services, HWND window, const MSAAPROPID& property, std::string_view text)
{
    if (services == nullptr || window == nullptr) return;
    const std::wstring wide = Widen(text);
    // A failure leaves the window's own name: nothing the user must be told.
    (void)services->SetHwndPropStr(window, static_cast<DWORD>(OBJID_CLIENT), CHILDID_SELF, property,
                                   wide.c_str());
}

}  // namespace

ComApartment::ComApartment()
    : started_(SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE)))
{
}

ComApartment::~ComApartment()
{
    if (started_) CoUninitialize();
}

AccessibleText::AccessibleText()
{
    if (FAILED(CoCreateInstance(CLSID_AccPropServices, nullptr, CLSCTX_INPROC_SERVER, IID_IAccPropServices,
                                reinterpret_cast<void**>(&services_))))
        services_ = nullptr;
}

AccessibleText::~AccessibleText()
{
    if (services_ != nullptr) services_->Release();
}

void AccessibleText::SetName(HWND window, std::string_view name)
{
    SetProperty(services_, window, PROPID_ACC_NAME, name);
}

void AccessibleText::SetDescription(HWND window, std::string_view description)
{
    SetProperty(services_, window, PROPID_ACC_DESCRIPTION, description);
}

}  // namespace sorvane::win32
