#include "engine/base/CCAutoreleasePool.h"

#include "core/Check.h"
#include "engine/base/CCObject.h"

namespace cocos2d {

namespace {
std::unique_ptr<CCPoolManager> s_manager;
}

CCAutoreleasePool::~CCAutoreleasePool() {
    clear();
}

void CCAutoreleasePool::addObject(CCObject* object) {
    ++object->m_autoreleaseCount;
    m_objects.push_back(object);
}

void CCAutoreleasePool::clear() {
    while (!m_objects.empty()) {
        std::vector<CCObject*> draining;
        draining.swap(m_objects);
        for (CCObject* object : draining) {
            PETALUNE_CHECK(object->m_autoreleaseCount > 0);
            --object->m_autoreleaseCount;
            object->release();
        }
    }
}

CCPoolManager::CCPoolManager() {
    push();
}

CCPoolManager* CCPoolManager::sharedPoolManager() {
    if (!s_manager) s_manager.reset(new CCPoolManager());
    return s_manager.get();
}

void CCPoolManager::purgePoolManager() {
    if (!s_manager) return;
    s_manager->finalize();
    s_manager.reset();
}

CCAutoreleasePool* CCPoolManager::currentPool() {
    return m_pools.back().get();
}

void CCPoolManager::push() {
    m_pools.push_back(std::make_unique<CCAutoreleasePool>());
}

void CCPoolManager::pop() {
    PETALUNE_CHECK(m_pools.size() > 1 && "the outermost pool cannot be popped");
    if (m_pools.size() > 1) m_pools.pop_back();
}

void CCPoolManager::finalize() {
    for (auto it = m_pools.rbegin(); it != m_pools.rend(); ++it) (*it)->clear();
}

}  // namespace cocos2d
