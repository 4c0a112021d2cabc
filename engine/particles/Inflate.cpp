#include "engine/particles/Inflate.h"

#include <zlib.h>

namespace cocos2d {

bool inflateData(const std::vector<std::uint8_t>& in, std::vector<std::uint8_t>& out, std::size_t maxSize) {
    out.clear();
    if (in.size() > 0xFFFFFFFFu) return false;
    z_stream stream{};
    // 32 + 15: accept a gzip or a zlib header.
    if (inflateInit2(&stream, 32 + 15) != Z_OK) return false;
    stream.next_in = const_cast<Bytef*>(in.data());
    stream.avail_in = static_cast<uInt>(in.size());
    std::uint8_t chunk[16384];
    int status = Z_OK;
    while (status == Z_OK) {
        stream.next_out = chunk;
        stream.avail_out = sizeof chunk;
        status = inflate(&stream, Z_NO_FLUSH);
        if (status != Z_OK && status != Z_STREAM_END) break;
        std::size_t produced = sizeof chunk - stream.avail_out;
        if (out.size() + produced > maxSize) {
            status = Z_MEM_ERROR;
            break;
        }
        out.insert(out.end(), chunk, chunk + produced);
        if (status == Z_OK && produced == 0 && stream.avail_in == 0) status = Z_DATA_ERROR;
    }
    inflateEnd(&stream);
    return status == Z_STREAM_END;
}

}  // namespace cocos2d
