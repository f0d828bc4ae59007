#include "history/battery_health_win.h"

#include <winioctl.h>

#include <memory>

#include "history/charge_log_win.h"
#include "base/handles_win.h"
#include "base/system_calls_win.h"

namespace corvane::history {

namespace {

// GUID_DEVCLASS_BATTERY (devguid.h), spelled out: the header defines it only with initguid.h.
constexpr GUID kBatteryClass = {0x72631e54, 0x78a4, 0x11d0, {0xbc, 0xf7, 0x00, 0xaa, 0x00, 0xb7, 0xb3, 0x2a}};

BatteryInformationOverride* g_override = nullptr;

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

std::optional<BATTERY_INFORMATION> AskBattery(const char* path) {
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
    BATTERY_INFORMATION info{};
    if (!::DeviceIoControl(battery.get(), IOCTL_BATTERY_QUERY_INFORMATION, &query, sizeof query, &info, sizeof info,
                           &returned, nullptr)) {
        return std::nullopt;
    }
    return info;
}

} // namespace

BatteryFigures FiguresOf(const BATTERY_INFORMATION& info) noexcept {
    return {static_cast<std::uint32_t>(info.Capabilities), static_cast<std::uint32_t>(info.DesignedCapacity),
            static_cast<std::uint32_t>(info.FullChargedCapacity), static_cast<std::uint32_t>(info.CycleCount)};
}

std::vector<BATTERY_INFORMATION> QueryBatteryInformation() {
    if (g_override) {
        return g_override->Records();
    }
    std::vector<BATTERY_INFORMATION> records;
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
            if (const auto info = AskBattery(detail->DevicePath)) {
                records.push_back(*info);
            }
        }
    }
    return records;
}

BatteryInformationOverride::BatteryInformationOverride(std::vector<BATTERY_INFORMATION> records)
    : records_(std::move(records)), previous_(g_override) {
    g_override = this;
}

BatteryInformationOverride::~BatteryInformationOverride() { g_override = previous_; }

std::string ReadBatteryHealth(const std::string& csvPath, UnixTime now) {
    std::vector<BatteryFigures> batteries;
    for (const BATTERY_INFORMATION& info : QueryBatteryInformation()) {
        batteries.push_back(FiguresOf(info));
    }
    const std::string today = LocalDate(now);
    const std::string file = ReadWholeFile(csvPath).value_or(std::string());
    std::vector<HealthRow> rows = ReadHealthRows(file);
    std::string_view lineEnd = LineEndBefore(file);
    for (const HealthRow& row : NewHealthRows(rows, batteries, today)) {
        // The figures are shown even when they cannot be kept.
        if (AppendLine(csvPath, kBatteryHealthHeader, std::string(lineEnd) + HealthRowLine(row)) == ERROR_SUCCESS) {
            rows.push_back(row);
            lineEnd = {};
        }
    }
    std::string text;
    for (const std::string& line : HealthLines(batteries)) {
        text += line + "\r\n";
    }
    const std::string change = CapacityChangeLine(rows, batteries, today);
    if (!change.empty()) {
        text += change + "\r\n";
    }
    return text;
}

} // namespace corvane::history
