#include "history/battery_health_win.h"

#include <winioctl.h>

#include <algorithm>
#include <iterator>
#include <memory>
#include <optional>

#include "base/file_win.h"
#include "base/handles_win.h"
#include "base/system_calls_win.h"
#include "base/text_win.h"

namespace corvane::history {

namespace {

// GUID_DEVCLASS_BATTERY (devguid.h), spelled out: the header defines it only with initguid.h.
constexpr GUID kBatteryClass = {0x72631e54, 0x78a4, 0x11d0, {0xbc, 0xf7, 0x00, 0xaa, 0x00, 0xb7, 0xb3, 0x2a}};

class DeviceList {
public:
    explicit DeviceList(HDEVINFO set) noexcept : set_(set) {}
    DeviceList(const DeviceList&) = delete;
    DeviceList& operator=(const DeviceList&) = delete;
    ~DeviceList() {
        if (set_ != INVALID_HANDLE_VALUE) {
            sys::SetupDiDestroyDeviceInfoList(set_);
        }
    }
    HDEVINFO get() const noexcept { return set_; }

private:
    HDEVINFO set_;
};

// A string level of IOCTL_BATTERY_QUERY_INFORMATION; empty where the driver has none.
std::wstring AskString(HANDLE battery, BATTERY_QUERY_INFORMATION query, BATTERY_QUERY_INFORMATION_LEVEL level) {
    query.InformationLevel = level;
    wchar_t text[128] = {};
    DWORD returned = 0;
    if (!::DeviceIoControl(battery, IOCTL_BATTERY_QUERY_INFORMATION, &query, sizeof query, text, sizeof text - sizeof(wchar_t),
                           &returned, nullptr)) {
        return {};
    }
    return std::wstring(text, std::min<std::size_t>(returned / sizeof(wchar_t), std::size(text) - 1)).c_str();
}

std::optional<BatteryRecord> AskBattery(const char* path) {
    UniqueFile battery(::CreateFileA(path, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                                     FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!battery) {
        return std::nullopt;
    }
    ULONG wait = 0;
    BATTERY_QUERY_INFORMATION query{};
    DWORD returned = 0;
    if (!::DeviceIoControl(battery.get(), IOCTL_BATTERY_QUERY_TAG, &wait, sizeof wait, &query.BatteryTag,
                           sizeof query.BatteryTag, &returned, nullptr) ||
        query.BatteryTag == 0) {
        return std::nullopt; // no battery in this slot
    }
    query.InformationLevel = BatteryInformation;
    BatteryRecord record;
    if (!::DeviceIoControl(battery.get(), IOCTL_BATTERY_QUERY_INFORMATION, &query, sizeof query, &record.info,
                           sizeof record.info, &returned, nullptr)) {
        return std::nullopt;
    }
    record.deviceName = AskString(battery.get(), query, BatteryDeviceName);
    record.serialNumber = AskString(battery.get(), query, BatterySerialNumber);
    record.uniqueId = AskString(battery.get(), query, BatteryUniqueID);
    record.manufacturer = AskString(battery.get(), query, BatteryManufactureName);
    return record;
}

// Hands lines to a history. Made here rather than where it is used: the type's name that the
// program carries is that of the function making it, and the shorter the better.
auto LinesInto(HealthHistory& history) {
    return [&history](std::string_view line) { history.Line(line); };
}

// Each battery's figures, keyed by what identifies it.
std::vector<BatteryFigures> FiguresOf(const std::vector<BatteryRecord>& records) {
    std::vector<BatteryIdentity> identities;
    for (const BatteryRecord& r : records) {
        identities.push_back(
            {WideToAnsi(r.uniqueId), WideToAnsi(r.manufacturer), WideToAnsi(r.deviceName), WideToAnsi(r.serialNumber)});
    }
    const std::vector<std::string> keys = BatteryKeys(identities);
    std::vector<BatteryFigures> figures;
    for (std::size_t i = 0; i < records.size(); ++i) {
        const BATTERY_INFORMATION& info = records[i].info;
        figures.push_back({static_cast<std::uint32_t>(info.Capabilities), static_cast<std::uint32_t>(info.DesignedCapacity),
                           static_cast<std::uint32_t>(info.FullChargedCapacity), static_cast<std::uint32_t>(info.CycleCount),
                           keys[i]});
    }
    return figures;
}

} // namespace

std::vector<BatteryRecord> QueryBatteries() {
    std::vector<BatteryRecord> records;
    const DeviceList devices(
        sys::SetupDiGetClassDevsA(&kBatteryClass, nullptr, nullptr, DIGCF_PRESENT | DIGCF_DEVICEINTERFACE));
    if (devices.get() == INVALID_HANDLE_VALUE) {
        return records;
    }
    // Laptops have one battery or two; the bound only guards against a driver that never ends.
    for (DWORD index = 0; index < 16; ++index) {
        SP_DEVICE_INTERFACE_DATA data{};
        data.cbSize = sizeof data;
        if (!sys::SetupDiEnumDeviceInterfaces(devices.get(), nullptr, &kBatteryClass, index, &data)) {
            break; // ERROR_NO_MORE_ITEMS
        }
        DWORD size = 0;
        sys::SetupDiGetDeviceInterfaceDetailA(devices.get(), &data, nullptr, 0, &size, nullptr);
        if (size < sizeof(SP_DEVICE_INTERFACE_DETAIL_DATA_A)) {
            continue;
        }
        const std::unique_ptr<std::byte[]> buffer(new std::byte[size]);
        auto* detail = reinterpret_cast<SP_DEVICE_INTERFACE_DETAIL_DATA_A*>(buffer.get());
        detail->cbSize = sizeof(SP_DEVICE_INTERFACE_DETAIL_DATA_A);
        if (sys::SetupDiGetDeviceInterfaceDetailA(devices.get(), &data, detail, size, &size, nullptr)) {
            if (std::optional<BatteryRecord> record = AskBattery(detail->DevicePath)) {
                records.push_back(std::move(*record));
            }
        }
    }
    return records;
}

std::string ReadBatteryHealth(const std::string& csvPath, const std::string& today,
                              const std::vector<BatteryRecord>& records) {
    const std::vector<BatteryFigures> batteries = FiguresOf(records);
    HealthHistory history;
    const FileLines read = ForEachLine(csvPath, LinesInto(history));
    // A file read only in part would take rows it has for new ones.
    if (read.error == ERROR_SUCCESS) {
        for (const HealthRow& row : NewHealthRows(history, batteries, today)) {
            // The figures are shown even when they cannot be kept.
            if (AppendLine(csvPath, kBatteryHealthHeader, HealthRowLine(row)) == ERROR_SUCCESS) {
                history.Add(row);
            }
        }
    }
    std::string text;
    for (const std::string& line : HealthLines(batteries)) {
        text += line + "\r\n";
    }
    const std::string change = CapacityChangeLine(history, batteries, today);
    if (!change.empty()) {
        text += change + "\r\n";
    }
    return text;
}

} // namespace corvane::history
