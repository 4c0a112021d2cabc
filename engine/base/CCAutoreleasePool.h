#pragma once

#include <memory>
#include <vector>

namespace cocos2d {

class CCObject;

// Holds one reference of every object autoreleased into it until drained.
class CCAutoreleasePool {
public:
    CCAutoreleasePool() = default;
    CCAutoreleasePool(const CCAutoreleasePool&) = delete;
    CCAutoreleasePool& operator=(const CCAutoreleasePool&) = delete;
    ~CCAutoreleasePool();

    void addObject(CCObject* object);
    // Releases every held reference; objects autoreleased while draining go in the next drain.
    void clear();
    std::size_t size() const { return m_objects.size(); }

private:
    std::vector<CCObject*> m_objects;
};

// A stack of pools; objects go into the innermost, which the director drains once per frame.
class CCPoolManager {
public:
    static CCPoolManager* sharedPoolManager();
    // Drains every pool and forgets the manager (tests, shutdown).
    static void purgePoolManager();

    CCAutoreleasePool* currentPool();
    void push();
    void pop();
    void finalize();  // drains all pools

private:
    CCPoolManager();
    std::vector<std::unique_ptr<CCAutoreleasePool>> m_pools;
};

}  // namespace cocos2d
