#include "engine/textures/JpegDecoder.h"

#include <jpeglib.h>

#include <csetjmp>
#include <cstdio>

namespace cocos2d {

namespace {

// Every scan of a progressive picture passes over the whole picture again, so a small file
// of thousands of scans would take minutes; real pictures use about ten.
constexpr int kMaxScans = 100;

struct ErrorManager {
    jpeg_error_mgr base;
    std::jmp_buf jump;
    char message[JMSG_LENGTH_MAX];
};

[[noreturn]] void onJpegError(j_common_ptr info) {
    auto* manager = reinterpret_cast<ErrorManager*>(info->err);
    (*info->err->format_message)(info, manager->message);
    std::longjmp(manager->jump, 1);
}

void ignoreJpegMessage(j_common_ptr, int) {}

void limitScans(j_common_ptr info) {
    if (reinterpret_cast<j_decompress_ptr>(info)->input_scan_number <= kMaxScans) return;
    auto* manager = reinterpret_cast<ErrorManager*>(info->err);
    std::snprintf(manager->message, sizeof manager->message, "more than %d scans", kMaxScans);
    std::longjmp(manager->jump, 1);
}

// Kept free of objects with destructors, since libjpeg errors return here by longjmp.
bool decodeInto(jpeg_decompress_struct* info, ErrorManager* errors, jpeg_progress_mgr* progress,
                const unsigned char* data, std::size_t length, int maxSide, std::size_t maxPixels,
                JpegResult* result) {
    if (setjmp(errors->jump)) return false;
    jpeg_create_decompress(info);
    // Set after creation, which clears every field but the error manager.
    info->progress = progress;
    jpeg_mem_src(info, data, static_cast<unsigned long>(length));
    jpeg_read_header(info, TRUE);
    // A progressive picture is decoded whole when decompression starts: its size is checked
    // from the header, before that costs gigabytes.
    if (static_cast<std::size_t>(info->image_width) * info->image_height > maxPixels) {
        std::snprintf(errors->message, sizeof errors->message, "size out of range");
        return false;
    }
    // Decoded straight into the RGBA rows: no per-pixel copy, alpha filled by the library.
    info->out_color_space = JCS_EXT_RGBA;
    jpeg_start_decompress(info);
    if (info->output_width == 0 || info->output_height == 0 ||
        static_cast<int>(info->output_width) > maxSide || static_cast<int>(info->output_height) > maxSide ||
        info->output_components != 4) {
        std::snprintf(errors->message, sizeof errors->message, "size or colour layout out of range");
        return false;
    }
    result->width = static_cast<int>(info->output_width);
    result->height = static_cast<int>(info->output_height);
    result->rgba.resize(static_cast<std::size_t>(result->width) * result->height * 4);
    while (info->output_scanline < info->output_height) {
        JSAMPROW rows[1] = {
            &result->rgba[static_cast<std::size_t>(info->output_scanline) * result->width * 4]};
        if (jpeg_read_scanlines(info, rows, 1) != 1) break;
    }
    jpeg_finish_decompress(info);
    return true;
}

}  // namespace

JpegResult decodeJpegToRgba(const unsigned char* data, std::size_t length, int maxSide,
                            std::size_t maxPixels) {
    JpegResult result;
    jpeg_decompress_struct info{};
    ErrorManager errors{};
    info.err = jpeg_std_error(&errors.base);
    errors.base.error_exit = onJpegError;
    errors.base.emit_message = ignoreJpegMessage;
    jpeg_progress_mgr progress{};
    progress.progress_monitor = limitScans;
    bool ok = decodeInto(&info, &errors, &progress, data, length, maxSide, maxPixels, &result);
    jpeg_destroy_decompress(&info);
    if (!ok) {
        result = JpegResult{};
        result.error = errors.message;
    }
    return result;
}

}  // namespace cocos2d
