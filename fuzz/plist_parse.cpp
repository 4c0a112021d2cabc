#include <cstddef>
#include <cstdint>

#include "engine/base/CCAutoreleasePool.h"
#include "engine/particles/PlistDictionary.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    cocos2d::PlistDictionary::createWithData(reinterpret_cast<const char*>(data), size);
    cocos2d::CCPoolManager::sharedPoolManager()->finalize();  // frees what the parse autoreleased
    return 0;
}
