#include "engine/base/CCObject.h"

#include "core/Check.h"
#include "engine/base/CCAutoreleasePool.h"

namespace cocos2d {

namespace {
unsigned int s_nextId = 0;
}

CCObject::CCObject() : m_id(++s_nextId) {}

CCObject::~CCObject() {
    // Deleting an object that a pool still holds would leave the pool a dangling pointer.
    PETALUNE_CHECK(m_autoreleaseCount == 0 && "object deleted while in an autorelease pool");
}

void CCObject::retain() {
    PETALUNE_CHECK(m_reference > 0);
    ++m_reference;
}

void CCObject::release() {
    PETALUNE_CHECK(m_reference > 0 && "release of a dead object");
    if (--m_reference == 0) delete this;
}

CCObject* CCObject::autorelease() {
    CCPoolManager::sharedPoolManager()->currentPool()->addObject(this);
    return this;
}

}  // namespace cocos2d
