#include "base/system_calls_win.h"

#include <uxtheme.h>

#include "base/system_library_win.h"

namespace corvane::sys {

using enum SystemLibrary;

// Each call looks its function up again: a library renamed by a test is seen at once, and a
// lookup in a library already loaded costs next to nothing.

BOOL InitCommonControlsEx(const INITCOMMONCONTROLSEX* icc) {
    const auto f = FindSystemFunction<decltype(&::InitCommonControlsEx)>(Comctl32, "InitCommonControlsEx");
    return f ? f(icc) : FALSE;
}

BOOL SetWindowSubclass(HWND hwnd, SUBCLASSPROC proc, UINT_PTR id, DWORD_PTR data) {
    const auto f = FindSystemFunction<decltype(&::SetWindowSubclass)>(Comctl32, "SetWindowSubclass");
    return f ? f(hwnd, proc, id, data) : FALSE;
}

BOOL RemoveWindowSubclass(HWND hwnd, SUBCLASSPROC proc, UINT_PTR id) {
    const auto f = FindSystemFunction<decltype(&::RemoveWindowSubclass)>(Comctl32, "RemoveWindowSubclass");
    return f ? f(hwnd, proc, id) : FALSE;
}

LRESULT DefSubclassProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    // Called for every message of a subclassed control, which exists only when comctl32 does.
    static const auto f = FindSystemFunction<decltype(&::DefSubclassProc)>(Comctl32, "DefSubclassProc");
    return f ? f(hwnd, msg, wParam, lParam) : ::DefWindowProcA(hwnd, msg, wParam, lParam);
}

BOOL ChooseColorA(CHOOSECOLORA* cc) {
    const auto f = FindSystemFunction<decltype(&::ChooseColorA)>(Comdlg32, "ChooseColorA");
    return f ? f(cc) : FALSE;
}

BOOL ChooseFontA(CHOOSEFONTA* cf) {
    const auto f = FindSystemFunction<decltype(&::ChooseFontA)>(Comdlg32, "ChooseFontA");
    return f ? f(cf) : FALSE;
}

BOOL PrintDlgA(PRINTDLGA* pd) {
    const auto f = FindSystemFunction<decltype(&::PrintDlgA)>(Comdlg32, "PrintDlgA");
    return f ? f(pd) : FALSE;
}

BOOL GetOpenFileNameA(OPENFILENAMEA* ofn) {
    const auto f = FindSystemFunction<decltype(&::GetOpenFileNameA)>(Comdlg32, "GetOpenFileNameA");
    return f ? f(ofn) : FALSE;
}

BOOL GetSaveFileNameA(OPENFILENAMEA* ofn) {
    const auto f = FindSystemFunction<decltype(&::GetSaveFileNameA)>(Comdlg32, "GetSaveFileNameA");
    return f ? f(ofn) : FALSE;
}

DWORD CommDlgExtendedError() {
    const auto f = FindSystemFunction<decltype(&::CommDlgExtendedError)>(Comdlg32, "CommDlgExtendedError");
    return f ? f() : 0;
}

HRESULT CoInitializeEx(void* reserved, DWORD flags) {
    const auto f = FindSystemFunction<decltype(&::CoInitializeEx)>(Ole32, "CoInitializeEx");
    return f ? f(reserved, flags) : E_FAIL;
}

void CoUninitialize() {
    if (const auto f = FindSystemFunction<decltype(&::CoUninitialize)>(Ole32, "CoUninitialize")) {
        f();
    }
}

void CoTaskMemFree(void* memory) {
    if (const auto f = FindSystemFunction<decltype(&::CoTaskMemFree)>(Ole32, "CoTaskMemFree")) {
        f(memory);
    }
}

BSTR SysAllocString(const OLECHAR* text) {
    const auto f = FindSystemFunction<decltype(&::SysAllocString)>(Oleaut32, "SysAllocString");
    return f ? f(text) : nullptr;
}

HRESULT CreateStdAccessibleObject(HWND hwnd, LONG objectId, REFIID iid, void** object) {
    const auto f = FindSystemFunction<decltype(&::CreateStdAccessibleObject)>(Oleacc, "CreateStdAccessibleObject");
    return f ? f(hwnd, objectId, iid, object) : E_FAIL;
}

LRESULT LresultFromObject(REFIID iid, WPARAM wParam, IUnknown* object) {
    const auto f = FindSystemFunction<decltype(&::LresultFromObject)>(Oleacc, "LresultFromObject");
    return f ? f(iid, wParam, object) : static_cast<LRESULT>(E_FAIL);
}

LONG CallNtPowerInformation(POWER_INFORMATION_LEVEL level, void* input, ULONG inputSize, void* output, ULONG outputSize) {
    using Call = LONG(WINAPI*)(POWER_INFORMATION_LEVEL, void*, ULONG, void*, ULONG);
    const auto f = FindSystemFunction<Call>(Powrprof, "CallNtPowerInformation");
    return f ? f(level, input, inputSize, output, outputSize) : static_cast<LONG>(0xC0000002L); // STATUS_NOT_IMPLEMENTED
}

HDEVINFO SetupDiGetClassDevsA(const GUID* classGuid, const char* enumerator, HWND parent, DWORD flags) {
    const auto f = FindSystemFunction<decltype(&::SetupDiGetClassDevsA)>(Setupapi, "SetupDiGetClassDevsA");
    return f ? f(classGuid, enumerator, parent, flags) : INVALID_HANDLE_VALUE;
}

BOOL SetupDiEnumDeviceInterfaces(HDEVINFO set, SP_DEVINFO_DATA* device, const GUID* interfaceGuid, DWORD index,
                                 SP_DEVICE_INTERFACE_DATA* data) {
    const auto f = FindSystemFunction<decltype(&::SetupDiEnumDeviceInterfaces)>(Setupapi, "SetupDiEnumDeviceInterfaces");
    return f ? f(set, device, interfaceGuid, index, data) : FALSE;
}

BOOL SetupDiGetDeviceInterfaceDetailA(HDEVINFO set, SP_DEVICE_INTERFACE_DATA* data,
                                      SP_DEVICE_INTERFACE_DETAIL_DATA_A* detail, DWORD size, DWORD* required,
                                      SP_DEVINFO_DATA* device) {
    const auto f = FindSystemFunction<decltype(&::SetupDiGetDeviceInterfaceDetailA)>(
        Setupapi, "SetupDiGetDeviceInterfaceDetailA");
    return f ? f(set, data, detail, size, required, device) : FALSE;
}

BOOL SetupDiDestroyDeviceInfoList(HDEVINFO set) {
    const auto f = FindSystemFunction<decltype(&::SetupDiDestroyDeviceInfoList)>(Setupapi, "SetupDiDestroyDeviceInfoList");
    return f ? f(set) : FALSE;
}

HRESULT SetWindowTheme(HWND hwnd, const wchar_t* subAppName, const wchar_t* subIdList) {
    const auto f = FindSystemFunction<decltype(&::SetWindowTheme)>(Uxtheme, "SetWindowTheme");
    return f ? f(hwnd, subAppName, subIdList) : E_FAIL;
}

DWORD GetFileVersionInfoSizeA(const char* file, DWORD* handle) {
    const auto f = FindSystemFunction<decltype(&::GetFileVersionInfoSizeA)>(Version, "GetFileVersionInfoSizeA");
    return f ? f(file, handle) : 0;
}

BOOL GetFileVersionInfoA(const char* file, DWORD handle, DWORD size, void* data) {
    const auto f = FindSystemFunction<decltype(&::GetFileVersionInfoA)>(Version, "GetFileVersionInfoA");
    return f ? f(file, handle, size, data) : FALSE;
}

BOOL VerQueryValueA(const void* block, const char* subBlock, void** buffer, UINT* length) {
    const auto f = FindSystemFunction<decltype(&::VerQueryValueA)>(Version, "VerQueryValueA");
    return f ? f(block, subBlock, buffer, length) : FALSE;
}

BOOL sndPlaySoundA(const char* sound, UINT flags) {
    const auto f = FindSystemFunction<decltype(&::sndPlaySoundA)>(Winmm, "sndPlaySoundA");
    return f ? f(sound, flags) : FALSE;
}

BOOL OpenPrinterA(char* name, HANDLE* printer, PRINTER_DEFAULTSA* defaults) {
    const auto f = FindSystemFunction<decltype(&::OpenPrinterA)>(Winspool, "OpenPrinterA");
    return f ? f(name, printer, defaults) : FALSE;
}

BOOL ClosePrinter(HANDLE printer) {
    const auto f = FindSystemFunction<decltype(&::ClosePrinter)>(Winspool, "ClosePrinter");
    return f ? f(printer) : FALSE;
}

BOOL EnumPrintersA(DWORD flags, char* name, DWORD level, BYTE* buffer, DWORD size, DWORD* needed, DWORD* returned) {
    const auto f = FindSystemFunction<decltype(&::EnumPrintersA)>(Winspool, "EnumPrintersA");
    return f ? f(flags, name, level, buffer, size, needed, returned) : FALSE;
}

BOOL GetDefaultPrinterA(char* buffer, DWORD* size) {
    const auto f = FindSystemFunction<decltype(&::GetDefaultPrinterA)>(Winspool, "GetDefaultPrinterA");
    return f ? f(buffer, size) : FALSE;
}

LONG DocumentPropertiesA(HWND hwnd, HANDLE printer, char* deviceName, DEVMODEA* out, DEVMODEA* in, DWORD mode) {
    const auto f = FindSystemFunction<decltype(&::DocumentPropertiesA)>(Winspool, "DocumentPropertiesA");
    return f ? f(hwnd, printer, deviceName, out, in, mode) : -1;
}

} // namespace corvane::sys
