#include "engine/textures/JpegDecoder.h"

#include <jpeglib.h>

#include <csetjmp>
#include <cstdio>

namespace cocos2d {

namespace {

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

// Kept free of objects with destructors, since libjpeg errors return here by longjmp.
bool decodeInto(jpeg_decompress_struct* info, ErrorManager* errors, const unsigned char* data,
                std::size_t length, int maxSide, std::size_t maxPixels, JpegResult* result) {
    if (setjmp(errors->jump)) return false;
    jpeg_create_decompress(info);
    jpeg_mem_src(info, data, static_cast<unsigned long>(length));
    jpeg_read_header(info, TRUE);
    // A progressive picture is decoded whole when decompression starts: its size is checked
    // from the header, before that costs gigabytes.
    if (static_cast<std::size_t>(info->image_width) * info->image_height > maxPixels) {
        std::snprintf(errors->message, sizeof errors->message, "size out of range");
        return false;
    }
    info->out_color_space = JCS_RGB;
    jpeg_start_decompress(info);
    if (info->output_width == 0 || info->output_height == 0 ||
        static_cast<int>(info->output_width) > maxSide || static_cast<int>(info->output_height) > maxSide ||
        info->output_components != 3) {
        std::snprintf(errors->message, sizeof errors->message, "size or colour layout out of range");
        return false;
    }
    result->width = static_cast<int>(info->output_width);
    result->height = static_cast<int>(info->output_height);
    result->rgba.resize(static_cast<std::size_t>(result->width) * result->height * 4);
    std::vector<std::uint8_t>& rgba = result->rgba;
    JSAMPLE row[3 * 16384];
    while (info->output_scanline < info->output_height) {
        JSAMPROW rows[1] = {row};
        JDIMENSION y = info->output_scanline;
        if (jpeg_read_scanlines(info, rows, 1) != 1) break;
        std::uint8_t* out = &rgba[static_cast<std::size_t>(y) * result->width * 4];
        for (int x = 0; x < result->width; ++x) {
            out[x * 4 + 0] = row[x * 3 + 0];
            out[x * 4 + 1] = row[x * 3 + 1];
            out[x * 4 + 2] = row[x * 3 + 2];
            out[x * 4 + 3] = 255;
        }
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
    bool ok = decodeInto(&info, &errors, data, length, maxSide, maxPixels, &result);
    jpeg_destroy_decompress(&info);
    if (!ok) {
        result = JpegResult{};
        result.error = errors.message;
    }
    return result;
}

}  // namespace cocos2d
