// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/OpticalDrives.h"

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstring>

#include "platform/win32/Wide.h"
#include <ntddscsi.h>
#include <winioctl.h>

namespace talvex::platform {

namespace {

constexpr std::size_t kInquiryLength = 36;
constexpr std::size_t kVendorOffset = 8;
constexpr std::size_t kVendorLength = 8;
constexpr std::size_t kProductOffset = 16;
constexpr std::size_t kProductLength = 16;

// INQUIRY texts are blank-padded and may end early at a zero byte.
std::string InquiryText(std::string_view inquiry, std::size_t offset, std::size_t length) {
    if (inquiry.size() <= offset) {
        return {};
    }
    std::string_view text = inquiry.substr(offset, length);
    text = text.substr(0, text.find('\0'));
    const auto first = text.find_first_not_of(' ');
    if (first == std::string_view::npos) {
        return {};
    }
    return std::string(text.substr(first, text.find_last_not_of(' ') - first + 1));
}

win32::Handle OpenDrive(char letter, DWORD access) {
    const std::wstring device = std::wstring(L"\\\\.\\") + static_cast<wchar_t>(letter) + L":";
    return win32::Handle(
        ::CreateFileW(device.c_str(), access, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING, 0, nullptr));
}

class SystemDriveQueries final : public DriveQueries {
public:
    [[nodiscard]] std::uint32_t logicalDrives() const override { return ::GetLogicalDrives(); }

    [[nodiscard]] bool isOptical(char letter) const override {
        const std::wstring root = std::wstring(1, static_cast<wchar_t>(letter)) + L":\\";
        return ::GetDriveTypeW(root.c_str()) == DRIVE_CDROM;
    }

    [[nodiscard]] std::optional<ScsiAddress> address(char letter) const override {
        const win32::Handle drive = OpenDrive(letter, 0);
        SCSI_ADDRESS scsi{};
        DWORD returned = 0;
        if (!drive.valid() || !::DeviceIoControl(drive.get(), IOCTL_SCSI_GET_ADDRESS, nullptr, 0, &scsi, sizeof scsi,
                                                 &returned, nullptr)) {
            return std::nullopt;
        }
        return ScsiAddress{scsi.PortNumber, scsi.PathId, scsi.TargetId, scsi.Lun};
    }

    [[nodiscard]] std::string inquiry(char letter) const override {
        // Pass-through needs a handle opened for reading and writing.
        const win32::Handle drive = OpenDrive(letter, GENERIC_READ | GENERIC_WRITE);
        if (!drive.valid()) {
            return {};
        }
        struct Request {
            SCSI_PASS_THROUGH header;
            std::array<UCHAR, 32> sense;
            std::array<UCHAR, kInquiryLength> data;
        } request{};
        request.header.Length = sizeof request.header;
        request.header.CdbLength = 6;
        request.header.SenseInfoLength = static_cast<UCHAR>(request.sense.size());
        request.header.DataIn = SCSI_IOCTL_DATA_IN;
        request.header.DataTransferLength = static_cast<ULONG>(request.data.size());
        request.header.TimeOutValue = 5;
        request.header.SenseInfoOffset = offsetof(Request, sense);
        request.header.DataBufferOffset = offsetof(Request, data);
        request.header.Cdb[0] = 0x12; // INQUIRY
        request.header.Cdb[4] = static_cast<UCHAR>(kInquiryLength);
        DWORD returned = 0;
        if (!::DeviceIoControl(drive.get(), IOCTL_SCSI_PASS_THROUGH, &request, sizeof request, &request, sizeof request,
                               &returned, nullptr)) {
            return {};
        }
        const std::size_t length = std::min<std::size_t>(request.header.DataTransferLength, request.data.size());
        return {reinterpret_cast<const char*>(request.data.data()), length};
    }
};

} // namespace

std::vector<OpticalDrive> ListOpticalDrives(const DriveQueries& queries) {
    std::vector<OpticalDrive> drives;
    const std::uint32_t present = queries.logicalDrives();
    for (int n = 0; n < 26; ++n) {
        const char letter = static_cast<char>('A' + n);
        if ((present & (std::uint32_t{1} << n)) == 0 || !queries.isOptical(letter)) {
            continue;
        }
        OpticalDrive drive;
        drive.device = std::string(1, letter) + ":";
        if (const auto address = queries.address(letter)) {
            drive.adapter = address->adapter;
            drive.target = address->target;
            drive.lun = address->lun;
        }
        const std::string inquiry = queries.inquiry(letter);
        drive.vendor = InquiryText(inquiry, kVendorOffset, kVendorLength);
        drive.product = InquiryText(inquiry, kProductOffset, kProductLength);
        drives.push_back(std::move(drive));
    }
    return drives;
}

std::vector<OpticalDrive> ListOpticalDrives() {
    return ListOpticalDrives(SystemDriveQueries());
}

} // namespace talvex::platform
