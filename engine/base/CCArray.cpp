#include "engine/base/CCArray.h"

#include <algorithm>
#include <climits>

#include "core/Check.h"

namespace cocos2d {

CCArray* CCArray::create() {
    auto* array = new CCArray();
    array->autorelease();
    return array;
}

CCArray* CCArray::createWithCapacity(unsigned int capacity) {
    CCArray* array = create();
    array->m_data.reserve(capacity);
    return array;
}

CCArray* CCArray::createWithArray(CCArray* other) {
    CCArray* array = create();
    if (other) array->addObjectsFromArray(other);
    return array;
}

CCArray::~CCArray() {
    removeAllObjects();
}

CCObject* CCArray::objectAtIndex(unsigned int index) const {
    return index < m_data.size() ? m_data[index] : nullptr;
}

unsigned int CCArray::indexOfObject(const CCObject* object) const {
    auto it = std::find(m_data.begin(), m_data.end(), object);
    return it == m_data.end() ? UINT_MAX : static_cast<unsigned int>(it - m_data.begin());
}

bool CCArray::containsObject(const CCObject* object) const {
    return indexOfObject(object) != UINT_MAX;
}

void CCArray::addObject(CCObject* object) {
    PETALUNE_CHECK(object && "null cannot be stored in a CCArray");
    if (!object) return;
    object->retain();
    m_data.push_back(object);
}

void CCArray::addObjectsFromArray(const CCArray* other) {
    if (!other || other == this) return;
    for (CCObject* object : other->m_data) addObject(object);
}

void CCArray::insertObject(CCObject* object, unsigned int index) {
    PETALUNE_CHECK(object && index <= m_data.size());
    if (!object) return;
    object->retain();
    m_data.insert(m_data.begin() + std::min<std::size_t>(index, m_data.size()), object);
}

void CCArray::removeObject(CCObject* object, bool releaseObj) {
    unsigned int index = indexOfObject(object);
    if (index != UINT_MAX) removeObjectAtIndex(index, releaseObj);
}

void CCArray::removeObjectAtIndex(unsigned int index, bool releaseObj) {
    if (index >= m_data.size()) return;
    CCObject* object = m_data[index];
    m_data.erase(m_data.begin() + index);
    if (releaseObj) object->release();
}

void CCArray::removeLastObject(bool releaseObj) {
    if (!m_data.empty()) removeObjectAtIndex(count() - 1, releaseObj);
}

void CCArray::removeAllObjects() {
    std::vector<CCObject*> old;
    old.swap(m_data);
    for (CCObject* object : old) object->release();
}

void CCArray::exchangeObjectAtIndex(unsigned int index1, unsigned int index2) {
    if (index1 < m_data.size() && index2 < m_data.size()) std::swap(m_data[index1], m_data[index2]);
}

}  // namespace cocos2d
