#include "engine/core/SEngineException.h"
#include "engine/core/TarnCoreDX9Exception.h"
#include "engine/core/TarnCoreException.h"

#include <gtest/gtest.h>
#include <stdexcept>
#include <string>

using SCore::TarnCoreException;

namespace {

static const char* const kTarnSource = "Src\\STextureManager";

// Each handler sits on the same line as the constant that records that line.
void AddTexture() { TARN_TRY throw TarnEngine::SEngineException("can't add texture, because texture with such name is exist:[A]"); TARN_CATCH("STextureManager::AddTexture()") } const int kAddTextureLine = __LINE__;

void LoadTextures() { TARN_TRY AddTexture(); TARN_CATCH("TarnApplication::DoLoadTextures()") } const int kLoadTexturesLine = __LINE__;

void CreateDevice() { TARN_TRY throw SCore::TarnCoreDX9Exception("Can't create D3D9 Device: OUTOFVIDEOMEMORY"); TARN_CATCH("SD3D9RenderDevice::Create()") } const int kCreateDeviceLine = __LINE__;

void PassesForeignExceptions() { TARN_TRY throw std::runtime_error("not ours"); TARN_CATCH("X::Y()") }

} // namespace

TEST(ErrorChain, EachHandlerAppendsItsCallSiteInnermostFirst)
{
    try {
        LoadTextures();
        FAIL() << "nothing thrown";
    } catch (const TarnCoreException& e) {
        std::string expected = "can't add texture, because texture with such name is exist:[A]"
                               " STextureManager::AddTexture() Src\\STextureManager at:" +
                               std::to_string(kAddTextureLine) +
                               " TarnApplication::DoLoadTextures() Src\\STextureManager at:" +
                               std::to_string(kLoadTexturesLine);
        EXPECT_EQ(expected, e.what());
    }
}

TEST(ErrorChain, DerivedExceptionsBecomePlainTarnCoreExceptions)
{
    try {
        CreateDevice();
        FAIL() << "nothing thrown";
    } catch (const SCore::TarnCoreDX9Exception&) {
        FAIL() << "the derived type survived a handler";
    } catch (const TarnCoreException& e) {
        EXPECT_EQ("Can't create D3D9 Device: OUTOFVIDEOMEMORY SD3D9RenderDevice::Create() "
                  "Src\\STextureManager at:" + std::to_string(kCreateDeviceLine),
                  std::string(e.what()));
    }
}

TEST(ErrorChain, OtherExceptionTypesPassHandlersUntouched)
{
    try {
        PassesForeignExceptions();
        FAIL() << "nothing thrown";
    } catch (const std::runtime_error& e) {
        EXPECT_STREQ("not ours", e.what());
    }
}

TEST(ErrorChain, AssertionThrowsEngineExceptionWithItsText)
{
    float fadeTime = 0.0f;
    try {
        TARN_ASSERT(fadeTime > 0);
        FAIL() << "nothing thrown";
    } catch (const TarnEngine::SEngineException& e) {
        EXPECT_STREQ("fadeTime > 0", e.what());
    }
}
