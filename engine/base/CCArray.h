#pragma once

#include <vector>

#include "engine/base/CCObject.h"

namespace cocos2d {

// An ordered list that holds a reference to each element.
class CCArray : public CCObject {
public:
    static CCArray* create();
    static CCArray* createWithCapacity(unsigned int capacity);
    static CCArray* createWithArray(CCArray* other);

    CCArray() = default;
    ~CCArray() override;

    unsigned int count() const { return static_cast<unsigned int>(m_data.size()); }
    unsigned int capacity() const { return static_cast<unsigned int>(m_data.capacity()); }
    CCObject* objectAtIndex(unsigned int index) const;  // null when out of range
    CCObject* lastObject() const { return m_data.empty() ? nullptr : m_data.back(); }
    // UINT_MAX when absent.
    unsigned int indexOfObject(const CCObject* object) const;
    bool containsObject(const CCObject* object) const;

    void addObject(CCObject* object);
    void addObjectsFromArray(const CCArray* other);
    void insertObject(CCObject* object, unsigned int index);
    void removeObject(CCObject* object, bool releaseObj = true);
    void removeObjectAtIndex(unsigned int index, bool releaseObj = true);
    void removeLastObject(bool releaseObj = true);
    void removeAllObjects();
    void exchangeObjectAtIndex(unsigned int index1, unsigned int index2);

    std::vector<CCObject*>::const_iterator begin() const { return m_data.begin(); }
    std::vector<CCObject*>::const_iterator end() const { return m_data.end(); }
    const std::vector<CCObject*>& data() const { return m_data; }

private:
    std::vector<CCObject*> m_data;
};

// for (each element of arr as obj) — arr may be null.
#define CCARRAY_FOREACH(arr, obj)                                                                    \
    if ((arr) && (arr)->count() > 0)                                                                 \
        for (unsigned int __cc_index = 0;                                                            \
             __cc_index < (arr)->count() && (((obj) = (arr)->objectAtIndex(__cc_index)) != nullptr); \
             ++__cc_index)

}  // namespace cocos2d
