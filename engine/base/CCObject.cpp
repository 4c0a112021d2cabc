#include "engine/base/CCObject.h"

#include <cassert>

#include "engine/base/CCAutoreleasePool.h"

namespace cocos2d {

namespace {
unsigned int s_nextId = 0;
}

CCObject::CCObject() : m_id(++s_nextId) {}

CCObject::~CCObject() {
    // Deleting an object that a pool still holds would leave the pool a dangling pointer.
    assert(m_autoreleaseCount == 0 && "object deleted while in an autorelease pool");
}

void CCObject::retain() {
    assert(m_reference > 0);
    ++m_reference;
}

void CCObject::release() {
    assert(m_reference > 0 && "release of a dead object");
    if (--m_reference == 0) delete this;
}

CCObject* CCObject::autorelease() {
    CCPoolManager::sharedPoolManager()->currentPool()->addObject(this);
    return this;
}

}  // namespace cocos2d
