#include "diag/FragmentCounter.hpp"

#include "platform/Platform.hpp"

#include <GL/gl.h>
#include <GL/glext.h>

#include <cstring>

#ifndef GL_FRAGMENT_SHADER_INVOCATIONS_ARB
#define GL_FRAGMENT_SHADER_INVOCATIONS_ARB 0x82F4
#endif

namespace {

PFNGLGENQUERIESPROC genQueries = nullptr;
PFNGLBEGINQUERYPROC beginQuery = nullptr;
PFNGLENDQUERYPROC endQuery = nullptr;
PFNGLGETQUERYOBJECTUIVPROC queryResult = nullptr;
GLuint passedQuery = 0;
GLuint shadedQuery = 0; // 0: the driver cannot count shaded fragments
bool counting = false;
bool counted = false; // a Begin and End pair has run since the start

// True when the space-separated extension list of the context names extension.
bool HasExtension(const char* extension) {
    const char* list = reinterpret_cast<const char*>(glGetString(GL_EXTENSIONS));
    const std::size_t length = std::strlen(extension);
    for (const char* at = list; at != nullptr && (at = std::strstr(at, extension)) != nullptr; at += length) {
        const bool starts = at == list || at[-1] == ' ';
        const bool ends = at[length] == ' ' || at[length] == '\0';
        if (starts && ends) {
            return true;
        }
    }
    return false;
}

} // namespace

bool StartFragmentCounting() {
    genQueries = reinterpret_cast<PFNGLGENQUERIESPROC>(platform::GLFunction("glGenQueries"));
    beginQuery = reinterpret_cast<PFNGLBEGINQUERYPROC>(platform::GLFunction("glBeginQuery"));
    endQuery = reinterpret_cast<PFNGLENDQUERYPROC>(platform::GLFunction("glEndQuery"));
    queryResult = reinterpret_cast<PFNGLGETQUERYOBJECTUIVPROC>(platform::GLFunction("glGetQueryObjectuiv"));
    const char* version = reinterpret_cast<const char*>(glGetString(GL_VERSION));
    // Occlusion queries are core from OpenGL 1.5 on.
    const bool core = version != nullptr && (version[0] > '1' || std::strncmp(version, "1.5", 3) == 0);
    if (genQueries == nullptr || beginQuery == nullptr || endQuery == nullptr || queryResult == nullptr ||
        !(core || HasExtension("GL_ARB_occlusion_query"))) {
        return false;
    }
    genQueries(1, &passedQuery);
    if (HasExtension("GL_ARB_pipeline_statistics_query")) {
        genQueries(1, &shadedQuery);
    }
    counting = true;
    return true;
}

void BeginLevelFragments() {
    if (!counting) {
        return;
    }
    beginQuery(GL_SAMPLES_PASSED, passedQuery);
    if (shadedQuery != 0) {
        beginQuery(GL_FRAGMENT_SHADER_INVOCATIONS_ARB, shadedQuery);
    }
}

void EndLevelFragments() {
    if (!counting) {
        return;
    }
    endQuery(GL_SAMPLES_PASSED);
    if (shadedQuery != 0) {
        endQuery(GL_FRAGMENT_SHADER_INVOCATIONS_ARB);
    }
    counted = true;
}

LevelFragments ReadLevelFragments() {
    LevelFragments fragments;
    if (!counted) {
        return fragments;
    }
    GLuint value = 0;
    queryResult(passedQuery, GL_QUERY_RESULT, &value);
    fragments.passed = value;
    if (shadedQuery != 0) {
        queryResult(shadedQuery, GL_QUERY_RESULT, &value);
        fragments.shaded = value;
    }
    return fragments;
}
