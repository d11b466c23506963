#pragma once
// The abstract writer of a tree of named elements carrying typed, named values. Scalars become
// values of the current element; composite values (vectors, rectangles, boxes, matrices,
// texture parameters) become child elements named by the key, which do not become current.

#include "engine/core/math/SAABBox.h"
#include "engine/core/math/SMatrix.h"
#include "engine/core/math/SOBBox.h"
#include "engine/core/math/SRect.h"
#include "engine/core/math/SSphere.h"
#include "engine/core/math/SVector3.h"
#include "engine/core/math/SVector4.h"
#include "engine/core/serialization/STextureFiltration.h"
#include "engine/core/serialization/STextureLoadParams.h"

#include <boost/shared_ptr.hpp>

#include <string>

namespace SCore {

class SSerializator {
public:
    virtual ~SSerializator() = default;

    // The value's exact type picks the overload; a type with no overload does not compile,
    // rather than converting silently (a string literal would otherwise become a bool).
    template <typename T>
    void Serialize(const std::string& key, const T& value) { DoSerialize(key, value); }

    void BeginChild(const std::string& name) { DoBeginChild(name); }
    void EndChild() { DoEndChild(); }
    void OpenDataSource(const std::wstring& fileName) { DoOpenDataSource(fileName); }
    void Flush() { DoFlush(); }
    boost::shared_ptr<SSerializator> Clone(const std::wstring& fileName) { return DoClone(fileName); }

protected:
    virtual void DoSerialize(const std::string& key, const STextureLoadParams& value) = 0;
    virtual void DoSerialize(const std::string& key, const STextureFiltration& value) = 0;
    virtual void DoSerialize(const std::string& key, const SOBBox& value) = 0;
    virtual void DoSerialize(const std::string& key, const SSphere& value) = 0;
    virtual void DoSerialize(const std::string& key, const SAABBox& value) = 0;
    virtual void DoSerialize(const std::string& key, const SRect& value) = 0;
    virtual void DoSerialize(const std::string& key, const SVector4& value) = 0;
    virtual void DoSerialize(const std::string& key, const SMatrix& value) = 0;
    virtual void DoSerialize(const std::string& key, const SVector3& value) = 0;
    virtual void DoSerialize(const std::string& key, const std::wstring& value) = 0;
    virtual void DoSerialize(const std::string& key, const std::string& value) = 0;
    virtual void DoSerialize(const std::string& key, const double& value) = 0;
    virtual void DoSerialize(const std::string& key, const float& value) = 0;
    // Types no writer supports: they throw "method is not define".
    virtual void DoSerialize(const std::string& key, const long double& value) = 0;
    virtual void DoSerialize(const std::string& key, const long long& value) = 0;
    virtual void DoSerialize(const std::string& key, const unsigned long long& value) = 0;
    virtual void DoSerialize(const std::string& key, const unsigned int& value) = 0;
    virtual void DoSerialize(const std::string& key, const int& value) = 0;
    virtual void DoSerialize(const std::string& key, const unsigned short& value) = 0;
    virtual void DoSerialize(const std::string& key, const short& value) = 0;
    virtual void DoSerialize(const std::string& key, const char& value) = 0;
    virtual void DoSerialize(const std::string& key, const char* const& value) = 0;
    virtual void DoSerialize(const std::string& key, const bool& value) = 0;

    virtual void DoBeginChild(const std::string& name) = 0;
    virtual void DoEndChild() = 0;
    virtual void DoOpenDataSource(const std::wstring& fileName) = 0;
    virtual void DoFlush() = 0;
    virtual boost::shared_ptr<SSerializator> DoClone(const std::wstring& fileName) = 0;
};

} // namespace SCore
