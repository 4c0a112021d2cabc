#pragma once

namespace core::stream {

// Joins a stream interface to the base it extends; the interface names itself so that
// helpers shared by all its streams can be added here without touching each stream.
template <class Interface, class Base>
class BinaryIO : public Base {};

}  // namespace core::stream
