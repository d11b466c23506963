#pragma once
// The abstract reader matching SSerializator: values are read from the current element, which
// BeginChild moves down and EndChild back up. Reading a missing value fails; probe optional ones
// with IsAvialableName and IsHaveChild first.

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

class SDeserializator {
public:
    virtual ~SDeserializator() = default;

    // Overwrites value; the value's exact type picks the overload.
    template <typename T>
    void Deserialize(const std::string& key, T& value) { DoDeserialize(key, value); }

    void BeginChild(unsigned int index) { DoBeginChild(index); }
    void BeginChild(const std::string& name) { DoBeginChild(name); }
    void EndChild() { DoEndChild(); }
    unsigned int GetChildCount() { return DoGetChildCount(); }
    std::string GetNodeName() { return DoGetNodeName(); }
    boost::shared_ptr<SDeserializator> Clone(const std::wstring& fileName) { return DoClone(fileName); }
    bool IsAvialableName(const std::string& key) { return DoIsAvialableName(key); }
    bool IsHaveChild(const std::string& name) { return DoIsHaveChild(name); }

protected:
    virtual void DoDeserialize(const std::string& key, STextureLoadParams& value) = 0;
    virtual void DoDeserialize(const std::string& key, STextureFiltration& value) = 0;
    virtual void DoDeserialize(const std::string& key, SOBBox& value) = 0;
    virtual void DoDeserialize(const std::string& key, SSphere& value) = 0;
    virtual void DoDeserialize(const std::string& key, SAABBox& value) = 0;
    virtual void DoDeserialize(const std::string& key, SRect& value) = 0;
    virtual void DoDeserialize(const std::string& key, SVector4& value) = 0;
    virtual void DoDeserialize(const std::string& key, SMatrix& value) = 0;
    virtual void DoDeserialize(const std::string& key, SVector3& value) = 0;
    virtual void DoDeserialize(const std::string& key, std::wstring& value) = 0;
    virtual void DoDeserialize(const std::string& key, std::string& value) = 0;
    virtual void DoDeserialize(const std::string& key, double& value) = 0;
    virtual void DoDeserialize(const std::string& key, float& value) = 0;
    // Types no reader supports: they throw "method is not define".
    virtual void DoDeserialize(const std::string& key, long double& value) = 0;
    virtual void DoDeserialize(const std::string& key, long long& value) = 0;
    virtual void DoDeserialize(const std::string& key, unsigned long long& value) = 0;
    virtual void DoDeserialize(const std::string& key, unsigned int& value) = 0;
    virtual void DoDeserialize(const std::string& key, int& value) = 0;
    virtual void DoDeserialize(const std::string& key, unsigned short& value) = 0;
    virtual void DoDeserialize(const std::string& key, short& value) = 0;
    virtual void DoDeserialize(const std::string& key, char& value) = 0;
    virtual void DoDeserialize(const std::string& key, const char*& value) = 0;
    virtual void DoDeserialize(const std::string& key, bool& value) = 0;

    virtual void DoBeginChild(unsigned int index) = 0;
    virtual void DoBeginChild(const std::string& name) = 0;
    virtual void DoEndChild() = 0;
    virtual unsigned int DoGetChildCount() = 0;
    virtual std::string DoGetNodeName() = 0;
    virtual boost::shared_ptr<SDeserializator> DoClone(const std::wstring& fileName) = 0;
    virtual bool DoIsAvialableName(const std::string& key) = 0;
    virtual bool DoIsHaveChild(const std::string& name) = 0;
};

} // namespace SCore
