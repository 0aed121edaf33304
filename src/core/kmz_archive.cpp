// SPDX-License-Identifier: MIT
// KMZ archives through libzip. The output archive is written by libzip into a source of our own
// that writes to the descriptor it is given (the safe-write layer's unnamed file), never through
// libzip's own temporary file and rename beside the archive.

#include <zip.h>

#include <algorithm>
#include <memory>
#include <optional>
#include <vector>

#include "core/embed_pass.h"
#include "core/embedding_stream.h"
#include "core/file_descriptor.h"
#include "core/kmz.h"
#include "core/messages.h"
#include "core/time_data_scan.h"

namespace zaveze {
namespace {

struct ArchiveCloser {
    void operator()(zip_t* archive) const { zip_discard(archive); }
};
using Archive = std::unique_ptr<zip_t, ArchiveCloser>;

struct EntryCloser {
    void operator()(zip_file_t* entry) const { zip_fclose(entry); }
};
using Entry = std::unique_ptr<zip_file_t, EntryCloser>;

// The input archive, read through its own descriptor so that the input stays as it is.
Archive Open_Archive(const InputFile& input) {
    const int fd = platform::Duplicate(input.Fd());
    if (fd < 0) {
        return nullptr;
    }
    int error = 0;
    zip_t* archive = zip_fdopen(fd, ZIP_RDONLY, &error);
    if (archive == nullptr) {
        platform::Close(fd);
    }
    return Archive(archive);
}

// The index of the main document: the first ".kml" entry of the central directory.
std::optional<zip_uint64_t> Main_Document(zip_t* archive) {
    const zip_int64_t count = zip_get_num_entries(archive, 0);
    for (zip_int64_t i = 0; i < count; ++i) {
        const char* name = zip_get_name(archive, static_cast<zip_uint64_t>(i), ZIP_FL_ENC_RAW);
        if (name != nullptr && Has_Extension(name, ".kml")) {
            return static_cast<zip_uint64_t>(i);
        }
    }
    return std::nullopt;
}

std::string Entry_Name(zip_t* archive, zip_uint64_t index) {
    const char* name = zip_get_name(archive, index, ZIP_FL_ENC_RAW);
    return name != nullptr ? name : "?";
}

// Why an entry that libzip would not open cannot be read (encrypted, an unknown method, damaged).
std::string Entry_Unreadable(zip_t* archive, zip_uint64_t index) {
    return messages::Kml_Entry_Unreadable(Entry_Name(archive, index), zip_strerror(archive));
}

// The output archive's storage: libzip writes, seeks back and commits here; the safe-write layer
// gives the finished file its name afterwards.
struct DescriptorStorage {
    int fd;
    zip_error_t error{};
    int write_errno = 0;  // the system's reason for the first failed write

    zip_int64_t Fail(int zip_code) {
        write_errno = write_errno != 0 ? write_errno : errno;
        zip_error_set(&error, zip_code, errno);
        return -1;
    }

    static zip_int64_t Callback(void* state, void* data, zip_uint64_t length,
                                zip_source_cmd_t command) {
        auto& self = *static_cast<DescriptorStorage*>(state);
        switch (command) {
            case ZIP_SOURCE_SUPPORTS:
                return ZIP_SOURCE_SUPPORTS_WRITABLE |
                       zip_source_make_command_bitmap(ZIP_SOURCE_ACCEPT_EMPTY, -1);
            case ZIP_SOURCE_STAT: {
                // A new, empty archive: nothing of an old one is read or kept.
                auto* status = static_cast<zip_stat_t*>(data);
                zip_stat_init(status);
                status->size = 0;
                status->valid |= ZIP_STAT_SIZE;
                return sizeof(zip_stat_t);
            }
            case ZIP_SOURCE_OPEN:
            case ZIP_SOURCE_CLOSE:
            case ZIP_SOURCE_FREE:
            case ZIP_SOURCE_COMMIT_WRITE:
            case ZIP_SOURCE_REMOVE:
            case ZIP_SOURCE_READ:
            case ZIP_SOURCE_TELL:
            case ZIP_SOURCE_ACCEPT_EMPTY:
                return 0;
            case ZIP_SOURCE_SEEK:
                return 0;
            case ZIP_SOURCE_BEGIN_WRITE:
            case ZIP_SOURCE_ROLLBACK_WRITE:
                if (!platform::Truncate(self.fd, 0) || platform::Seek(self.fd, 0, 0) != 0) {
                    return self.Fail(ZIP_ER_WRITE);
                }
                return 0;
            case ZIP_SOURCE_WRITE:
                if (!Write_All(self.fd, std::string_view(static_cast<const char*>(data), length))) {
                    return self.Fail(ZIP_ER_WRITE);
                }
                return static_cast<zip_int64_t>(length);
            case ZIP_SOURCE_SEEK_WRITE: {
                const auto* seek =
                    ZIP_SOURCE_GET_ARGS(zip_source_args_seek_t, data, length, &self.error);
                if (seek == nullptr) {
                    return -1;
                }
                if (platform::Seek(self.fd, seek->offset, seek->whence) < 0) {
                    return self.Fail(ZIP_ER_SEEK);
                }
                return 0;
            }
            case ZIP_SOURCE_TELL_WRITE: {
                const std::int64_t position = platform::Seek(self.fd, 0, 1);
                return position < 0 ? self.Fail(ZIP_ER_TELL) : position;
            }
            case ZIP_SOURCE_ERROR:
                return zip_error_to_data(&self.error, data, length);
            default:
                zip_error_set(&self.error, ZIP_ER_OPNOTSUPP, 0);
                return -1;
        }
    }
};

// The main document on its way into the output archive: read from the input archive, checked
// and transformed as it goes.
struct MainDocument {
    MainDocument(zip_t* archive, zip_uint64_t entry_index, const std::string& element,
                 JobControl* job, time_t modified)
        : input(archive), index(entry_index), control(job), mtime(modified), stream(element) {}

    zip_t* input;
    zip_uint64_t index;
    JobControl* control;
    time_t mtime;

    Entry entry;
    EmbeddingStream stream;
    TimeDataScanner time_data;
    std::vector<char> block = std::vector<char>(kBlockSize);
    std::size_t carried = 0;
    OutputBuffer out;
    std::size_t handed = 0;  // bytes of `out` already given to libzip
    bool finished = false;
    std::uint64_t bytes_read = 0;
    std::optional<EmbedStatus> refusal;  // why the writing stopped, when the input is to blame
    std::string reason;
    zip_error_t error{};

    zip_int64_t Stop(EmbedStatus status, std::string why = {}) {
        refusal = status;
        reason = std::move(why);
        zip_error_set(&error, ZIP_ER_READ, 0);
        return -1;
    }

    // Makes more output; false when the input has been read to its end.
    bool Produce() {
        out.Drop_Front(handed);
        handed = 0;
        if (finished) {
            return false;
        }
        const zip_int64_t count =
            zip_fread(entry.get(), block.data() + carried, block.size() - carried);
        if (count < 0) {
            Stop(EmbedStatus::KmzEntryUnreadable,
                 messages::Kml_Entry_Damaged(Entry_Name(input, index),
                                             zip_file_strerror(entry.get())));
            return false;
        }
        const auto fresh = static_cast<std::size_t>(count);
        bytes_read += fresh;
        if (control != nullptr && !control->Go_On(bytes_read)) {
            Stop(EmbedStatus::Cancelled);
            return false;
        }
        if (time_data.Feed(std::string_view(block.data() + carried, fresh))) {
            Stop(EmbedStatus::HasTimeData);
            return false;
        }
        const std::string_view bytes(block.data(), carried + fresh);
        if (count == 0) {
            stream.Finish(bytes, out);
            finished = true;
            if (!stream.Element_Written()) {
                Stop(EmbedStatus::NoContainerTag);
                return false;
            }
            return true;
        }
        const std::size_t used = stream.Transform(bytes, out);
        carried = bytes.size() - used;
        std::copy(bytes.begin() + static_cast<std::ptrdiff_t>(used), bytes.end(), block.begin());
        return true;
    }

    static zip_int64_t Callback(void* state, void* data, zip_uint64_t length,
                                zip_source_cmd_t command) {
        auto& self = *static_cast<MainDocument*>(state);
        switch (command) {
            case ZIP_SOURCE_SUPPORTS:
                return zip_source_make_command_bitmap(ZIP_SOURCE_OPEN, ZIP_SOURCE_READ,
                                                      ZIP_SOURCE_CLOSE, ZIP_SOURCE_STAT,
                                                      ZIP_SOURCE_ERROR, ZIP_SOURCE_FREE, -1);
            case ZIP_SOURCE_OPEN:
                self.entry.reset(zip_fopen_index(self.input, self.index, 0));
                if (!self.entry) {
                    return self.Stop(EmbedStatus::KmzEntryUnreadable,
                                     Entry_Unreadable(self.input, self.index));
                }
                return 0;
            case ZIP_SOURCE_READ: {
                auto* target = static_cast<char*>(data);
                zip_uint64_t given = 0;
                while (given < length) {
                    if (self.handed == self.out.Size() && !self.Produce()) {
                        if (self.refusal) {
                            return -1;
                        }
                        break;
                    }
                    const std::size_t ready =
                        std::min<std::size_t>(self.out.Size() - self.handed, length - given);
                    std::copy_n(self.out.View().data() + self.handed, ready, target + given);
                    self.handed += ready;
                    given += ready;
                }
                return static_cast<zip_int64_t>(given);
            }
            case ZIP_SOURCE_CLOSE:
                self.entry.reset();
                return 0;
            case ZIP_SOURCE_STAT: {
                auto* status = static_cast<zip_stat_t*>(data);
                zip_stat_init(status);
                status->mtime = self.mtime;
                status->valid |= ZIP_STAT_MTIME;
                return sizeof(zip_stat_t);
            }
            case ZIP_SOURCE_ERROR:
                return zip_error_to_data(&self.error, data, length);
            case ZIP_SOURCE_FREE:
                return 0;
            default:
                zip_error_set(&self.error, ZIP_ER_OPNOTSUPP, 0);
                return -1;
        }
    }
};

// Copies the entry's name, time, attributes and compression to `index` of the output.
bool Keep_Entry_Details(zip_t* input, zip_uint64_t from, zip_t* output, zip_uint64_t index,
                        std::optional<zip_int32_t> compression) {
    zip_stat_t status;
    zip_uint8_t system = 0;
    zip_uint32_t attributes = 0;
    return zip_stat_index(input, from, 0, &status) == 0 &&
           zip_file_get_external_attributes(input, from, 0, &system, &attributes) == 0 &&
           zip_set_file_compression(output, index, compression.value_or(status.comp_method), 0) ==
               0 &&
           zip_file_set_mtime(output, index, status.mtime, 0) == 0 &&
           zip_file_set_external_attributes(output, index, 0, system, attributes) == 0;
}

}  // namespace

bool Kmz_Supported() {
    return true;
}

InputCheck Check_Kmz(InputFile& input, JobControl* control) {
    const Archive archive = Open_Archive(input);
    const auto main = archive ? Main_Document(archive.get()) : std::nullopt;
    if (!main) {
        return {InputVerdict::NotKmz, {}, {}, 0};
    }
    const Entry entry(zip_fopen_index(archive.get(), *main, 0));
    if (!entry) {
        return {InputVerdict::KmzEntryUnreadable, Entry_Unreadable(archive.get(), *main), {}, 0};
    }
    std::string damage;
    InputCheck check = Check_Bytes(
        [&](char* buffer, std::size_t size) {
            const zip_int64_t count = zip_fread(entry.get(), buffer, size);
            if (count < 0) {
                damage = messages::Kml_Entry_Damaged(Entry_Name(archive.get(), *main),
                                                     zip_file_strerror(entry.get()));
            }
            return count;
        },
        control);
    if (!damage.empty()) {
        check = {InputVerdict::KmzEntryUnreadable, damage, {}, 0};
    }
    return check;
}

EmbedResult Write_Kmz(InputFile& input, int output_fd, const std::string& element_text,
                      JobControl* control) {
    const Archive in = Open_Archive(input);
    const auto main = in ? Main_Document(in.get()) : std::nullopt;
    if (!main) {
        return {EmbedStatus::NotKmz, {}, {}};
    }
    DescriptorStorage storage{output_fd};
    zip_error_t error;
    zip_error_init(&error);
    zip_source_t* storage_source =
        zip_source_function_create(&DescriptorStorage::Callback, &storage, &error);
    zip_t* out = storage_source == nullptr
                     ? nullptr
                     : zip_open_from_source(storage_source, ZIP_CREATE | ZIP_TRUNCATE, &error);
    if (out == nullptr) {
        if (storage_source != nullptr) {
            zip_source_free(storage_source);
        }
        zip_error_fini(&error);
        return {EmbedStatus::WriteFailed, Error_Text(EIO), {}};
    }
    zip_error_fini(&error);

    zip_stat_t main_status;
    zip_stat_index(in.get(), *main, 0, &main_status);
    MainDocument document(in.get(), *main, element_text, control, main_status.mtime);
    bool added = true;
    const zip_int64_t count = zip_get_num_entries(in.get(), 0);
    for (zip_int64_t i = 0; i < count && added; ++i) {
        const auto from = static_cast<zip_uint64_t>(i);
        const char* name = zip_get_name(in.get(), from, ZIP_FL_ENC_RAW);
        zip_source_t* source = from == *main
                                   ? zip_source_function(out, &MainDocument::Callback, &document)
                                   : zip_source_zip(out, in.get(), from, ZIP_FL_COMPRESSED, 0, -1);
        const zip_int64_t index = source == nullptr ? -1 : zip_file_add(out, name, source, 0);
        if (index < 0) {
            if (source != nullptr) {
                zip_source_free(source);
            }
            added = false;
            break;
        }
        added = Keep_Entry_Details(
            in.get(), from, out, static_cast<zip_uint64_t>(index),
            from == *main ? std::optional<zip_int32_t>(ZIP_CM_DEFLATE) : std::nullopt);
    }
    if (!added) {
        zip_discard(out);
        return {EmbedStatus::NotKmz, {}, {}};
    }
    if (zip_close(out) != 0) {
        zip_discard(out);
        if (document.refusal) {
            return {*document.refusal, document.reason, {}};
        }
        return {EmbedStatus::WriteFailed,
                Error_Text(storage.write_errno != 0 ? storage.write_errno : EIO),
                {}};
    }
    return {};
}

}  // namespace zaveze
