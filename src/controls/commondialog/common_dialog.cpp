#include "controls/commondialog/common_dialog.h"

#include <cstddef>
#include <cstdint>
#include <utility>
#include <vector>

#include "base/component_error.h"

namespace corvane::cdlg {

namespace {

[[noreturn]] void RaiseRuntimeError(std::int32_t number, const char* description) {
    throw ComponentError(number, kRuntimeErrorSource, description);
}

// The text before the first NUL, or the whole buffer when the dialog filled all of it (its
// terminating NUL then lies just past the buffer).
std::string UpToNul(const std::vector<char>& buffer, std::size_t size) {
    std::size_t n = 0;
    while (n < size && buffer[n] != '\0') {
        ++n;
    }
    return std::string(buffer.data(), n);
}

std::string TrimSpaces(std::string s) {
    const std::size_t first = s.find_first_not_of(' ');
    if (first == std::string::npos) {
        return {};
    }
    const std::size_t last = s.find_last_not_of(' ');
    return s.substr(first, last - first + 1);
}

} // namespace

CDlg::CDlg(CDlgHost& host, CommonDialogApi& api) : host_(host), api_(api) {}

void CDlg::Resize() { host_.SetExtentTwips(kControlSizeTwips, kControlSizeTwips); }

void CDlg::ResolveOwner() {
    if (p_.ownerHwnd == 0) {
        p_.ownerHwnd = host_.ParentWindow();
    }
}

void CDlg::RaiseCancelError() const {
    if (p_.cancelError) {
        throw ComponentError(kCancelError, kCancelErrorSource, kCancelErrorDescription);
    }
}

void CDlg::RequireRunMode() const {
    if (!host_.UserMode()) {
        RaiseRuntimeError(kSetNotPermitted, "Set not permitted");
    }
}

void CDlg::ShowOpen() { ShowFileDialog(FileDialogKind::Open); }

void CDlg::ShowSave() { ShowFileDialog(FileDialogKind::Save); }

void CDlg::ShowFileDialog(FileDialogKind kind) {
    ResolveOwner();

    if (p_.maxFileSize < 0) {
        RaiseRuntimeError(kInvalidArgument, "Invalid procedure call or argument");
    }
    const auto size = static_cast<std::size_t>(p_.maxFileSize);
    // MaxFileSize spaces, and one place more for the NUL the dialog writes after a name
    // that fills them all.
    std::vector<char> file(size + 1, ' ');
    std::vector<char> title(size + 1, ' ');
    file[size] = '\0';
    title[size] = '\0';
    // The length given to Windows is a 16-bit quantity, as the property is.
    const std::int32_t length = static_cast<std::int32_t>(p_.maxFileSize) + 1;
    if (length > INT16_MAX) {
        RaiseRuntimeError(kOverflow, "Overflow");
    }
    std::string filter = p_.filter;
    filter.append(2, '\0');

    OpenFileNameRecord record;
    record.owner = p_.ownerHwnd;
    record.instance = host_.InstanceHandle();
    record.filter = filter.c_str();
    record.file = file.data();
    record.maxFile = static_cast<std::uint32_t>(length);
    record.fileTitle = title.data();
    record.maxFileTitle = static_cast<std::uint32_t>(length);
    record.initialDir = p_.initDir.c_str();
    record.title = p_.dialogTitle.c_str();
    record.flags = static_cast<std::uint32_t>(p_.flags);
    record.defExt = p_.defaultExt.c_str();

    if (!api_.GetFileName(kind, record)) {
        // A path too long for the buffer is a choice that was lost, not a cancel: the caller
        // must be able to tell the user, whatever CancelError says.
        if (api_.LastDialogError() == kFileBufferTooSmall) {
            throw ComponentError(static_cast<std::int32_t>(kFileBufferTooSmall), kRuntimeErrorSource,
                                 kFileBufferTooSmallDescription);
        }
        RaiseCancelError();
        return;
    }
    // Results go straight into the stored values: no notification, no design-time guard.
    p_.fileName = TrimSpaces(UpToNul(file, size));
    p_.fileOffset = static_cast<std::int16_t>(record.fileOffset);
    p_.extensionOffset = static_cast<std::int16_t>(record.fileExtension);
    p_.fileTitle = UpToNul(title, size);
    p_.filterIndex = static_cast<std::int16_t>(record.filterIndex);
}

void CDlg::SetFlags(std::int32_t New_Flags) { Store(p_.flags, New_Flags, "Flags"); }
void CDlg::SetFileName(std::string New_FileName) { Store(p_.fileName, std::move(New_FileName), "FileName"); }
void CDlg::SetFilter(std::string New_Filter) {
    for (char& c : New_Filter) {
        if (c == '|') {
            c = '\0';
        }
    }
    Store(p_.filter, std::move(New_Filter), "Filter");
}
void CDlg::SetDialogTitle(std::string New_DialogTitle) {
    Store(p_.dialogTitle, std::move(New_DialogTitle), "DialogTitle");
}
void CDlg::SetMaxFileSize(std::int16_t New_MaxFileSize) { Store(p_.maxFileSize, New_MaxFileSize, "MaxFileSize"); }

} // namespace corvane::cdlg
