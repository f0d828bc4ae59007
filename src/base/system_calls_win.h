#pragma once
// The functions Corvane takes from libraries it loads at their first use (see
// base/system_library_win.h), under their Windows names in namespace sys. Where a library or
// function cannot be had, each does nothing and returns what its function returns on failure.
#include <windows.h>

#include <commctrl.h>
#include <commdlg.h>
#include <mmsystem.h>
#include <objbase.h>
#include <oleacc.h>
#include <setupapi.h>
#include <winspool.h>

namespace corvane::sys {

// comctl32: the common controls, version 6 through the program's manifest.
BOOL InitCommonControlsEx(const INITCOMMONCONTROLSEX* icc);
BOOL SetWindowSubclass(HWND hwnd, SUBCLASSPROC proc, UINT_PTR id, DWORD_PTR data);
BOOL RemoveWindowSubclass(HWND hwnd, SUBCLASSPROC proc, UINT_PTR id);
LRESULT DefSubclassProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);

// comdlg32
BOOL ChooseColorA(CHOOSECOLORA* cc);
BOOL ChooseFontA(CHOOSEFONTA* cf);
BOOL PrintDlgA(PRINTDLGA* pd);
BOOL GetOpenFileNameA(OPENFILENAMEA* ofn);
BOOL GetSaveFileNameA(OPENFILENAMEA* ofn);
DWORD CommDlgExtendedError();

// ole32 and oleaut32
HRESULT CoInitializeEx(void* reserved, DWORD flags);
void CoUninitialize();
void CoTaskMemFree(void* memory);
BSTR SysAllocString(const OLECHAR* text);

// oleacc: the bar's answer to screen readers.
HRESULT CreateStdAccessibleObject(HWND hwnd, LONG objectId, REFIID iid, void** object);
LRESULT LresultFromObject(REFIID iid, WPARAM wParam, IUnknown* object);

// powrprof: the power manager's battery figures.
LONG CallNtPowerInformation(POWER_INFORMATION_LEVEL level, void* input, ULONG inputSize, void* output, ULONG outputSize);

// setupapi: the battery devices, for their capacity.
HDEVINFO SetupDiGetClassDevsA(const GUID* classGuid, const char* enumerator, HWND parent, DWORD flags);
BOOL SetupDiEnumDeviceInterfaces(HDEVINFO set, SP_DEVINFO_DATA* device, const GUID* interfaceGuid, DWORD index,
                                 SP_DEVICE_INTERFACE_DATA* data);
BOOL SetupDiGetDeviceInterfaceDetailA(HDEVINFO set, SP_DEVICE_INTERFACE_DATA* data,
                                      SP_DEVICE_INTERFACE_DETAIL_DATA_A* detail, DWORD size, DWORD* required,
                                      SP_DEVINFO_DATA* device);
BOOL SetupDiDestroyDeviceInfoList(HDEVINFO set);

// uxtheme
HRESULT SetWindowTheme(HWND hwnd, const wchar_t* subAppName, const wchar_t* subIdList);

// version
DWORD GetFileVersionInfoSizeA(const char* file, DWORD* handle);
BOOL GetFileVersionInfoA(const char* file, DWORD handle, DWORD size, void* data);
BOOL VerQueryValueA(const void* block, const char* subBlock, void** buffer, UINT* length);

// winmm
BOOL sndPlaySoundA(const char* sound, UINT flags);

// winspool: the print dialog's printers.
BOOL OpenPrinterA(char* name, HANDLE* printer, PRINTER_DEFAULTSA* defaults);
BOOL ClosePrinter(HANDLE printer);
BOOL EnumPrintersA(DWORD flags, char* name, DWORD level, BYTE* buffer, DWORD size, DWORD* needed, DWORD* returned);
BOOL GetDefaultPrinterA(char* buffer, DWORD* size);
LONG DocumentPropertiesA(HWND hwnd, HANDLE printer, char* deviceName, DEVMODEA* out, DEVMODEA* in, DWORD mode);

} // namespace corvane::sys
