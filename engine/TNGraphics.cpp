// Renderer core: the GL context, the two shader programs, render state,
// world transforms, the 2D camera and the engine's diagnostic reports.
#include "TNGraphics.h"

#include <termios.h>
#include <unistd.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>

#include "TNEngineInternal.h"
#include "TNMath4D.h"
#include "TNSystem.h"
#include "platform/TNGL.h"
#include "platform/TNPlatform.h"

float gTNWinMinX = 0.0f;
float gTNWinMaxX = 0.0f;
float gTNWinMinY = 0.0f;
float gTNWinMaxY = 0.0f;

/* ---------------------------------------------------------------------------
 * Diagnostics
 */

// A report must stay readable on a console that closes with the program, but
// a process without a terminal (a test, a launcher) must not hang.
static void WaitForKeyPress() {
  if (!isatty(STDIN_FILENO)) return;
  termios saved;
  if (tcgetattr(STDIN_FILENO, &saved) != 0) return;
  termios single = saved;
  single.c_lflag &= ~(ICANON | ECHO);
  single.c_cc[VMIN] = 1;
  single.c_cc[VTIME] = 0;
  tcsetattr(STDIN_FILENO, TCSANOW, &single);
  char key = 0;
  ssize_t ignored = read(STDIN_FILENO, &key, 1);
  (void)ignored;
  tcsetattr(STDIN_FILENO, TCSANOW, &saved);
}

[[noreturn]] static void EndAfterReport(bool waitForKey) {
  fflush(stdout);
  if (waitForKey) WaitForKeyPress();
  exit(1);
}

void TNReportHalt(int line, const char* func, const char* file, const char* message) {
  printf("HALT:\nLine: %d\nFunc: %s\nFile: %s\n", line, func, file);
  if (message && message[0] != '\0') printf("Mesg: %s", message);
  printf("\n");
  EndAfterReport(true);
}

void TNReportGLErrors(int line, const char* func, const char* file) {
  bool anyError = false;
  for (GLenum code = glGetError(); code != GL_NO_ERROR; code = glGetError()) {
    anyError = true;
    printf("CHECK_GL_ERROR:\nLine: %d\nFunc: %s\nFile: %s\n", line, func, file);
    printf("Code: 0x%.8x\n", code);
    printf("Mesg: ");
    printf("\n");
  }
  if (anyError) EndAfterReport(true);
}

void TNReportAssert(const char* condition, int line, const char* func, const char* file,
                    const char* message) {
  printf("TN_ASSERT_MESG: %s\nLine: %d\nFunc: %s\nFile: %s\n", condition, line, func, file);
  printf("Mesg: %s", message ? message : "");
  printf("\n");
  EndAfterReport(false);
}

void TNReportAssertParm(const char* condition, int line, const char* func, const char* file) {
  printf("TN_ASSERT_PARM: %s\nLine: %d\nFunc: %s\nFile: %s\n", condition, line, func, file);
  EndAfterReport(false);
}

/* ---------------------------------------------------------------------------
 * Shader programs (GLSL 1.10, and GLSL ES 1.00 in the browser)
 */

// GLSL ES fragment shaders have no default float precision; desktop GLSL
// 1.10 does not define GL_ES and skips the line.
#define TN_FRAGMENT_PRECISION "#ifdef GL_ES\nprecision highp float;\n#endif\n"

static const char* const kColourVertexSource =
    "uniform mat4 uPMatrix;\n"
    "uniform mat4 uVMatrix;\n"
    "uniform mat4 uWorldMatrix;\n"
    "attribute vec4 aPosition;\n"
    "attribute vec4 aColor;\n"
    "varying vec4 vColor;\n"
    "void main()\n"
    "{\n"
    "  vColor = aColor;\n"
    "  gl_Position = uPMatrix * uVMatrix * uWorldMatrix * aPosition;\n"
    "}\n";

static const char* const kColourFragmentSource =
    TN_FRAGMENT_PRECISION
    "uniform vec4 uBlendColor;\n"
    "uniform float uTransparencyValue;\n"
    "uniform vec4 uTintColor;\n"
    "varying vec4 vColor;\n"
    "void main()\n"
    "{\n"
    "  gl_FragColor.x = (vColor.x * (1.0 - uBlendColor.w) + uBlendColor.x * uBlendColor.w) * uTintColor.x;\n"
    "  gl_FragColor.y = (vColor.y * (1.0 - uBlendColor.w) + uBlendColor.y * uBlendColor.w) * uTintColor.y;\n"
    "  gl_FragColor.z = (vColor.z * (1.0 - uBlendColor.w) + uBlendColor.z * uBlendColor.w) * uTintColor.z;\n"
    "  gl_FragColor.w = vColor.w * uTransparencyValue * uTintColor.w;\n"
    "}\n";

static const char* const kTextureVertexSource =
    "uniform mat4 uPMatrix;\n"
    "uniform mat4 uVMatrix;\n"
    "uniform mat4 uWorldMatrix;\n"
    "attribute vec4 aPosition;\n"
    "attribute vec2 aTextureCoordinate;\n"
    "varying vec2 vTextureCoordinate;\n"
    "void main()\n"
    "{\n"
    "  vTextureCoordinate = aTextureCoordinate;\n"
    "  gl_Position = uPMatrix * uVMatrix * uWorldMatrix * aPosition;\n"
    "}\n";

static const char* const kTextureFragmentSource =
    TN_FRAGMENT_PRECISION
    "uniform sampler2D uTexture;\n"
    "uniform vec4 uBlendColor;\n"
    "uniform vec2 uTextureOffset;\n"
    "uniform float uTransparencyValue;\n"
    "uniform vec4 uTintColor;\n"
    "varying vec2 vTextureCoordinate;\n"
    "void main()\n"
    "{\n"
    "  vec2 coordinate = vTextureCoordinate + uTextureOffset;\n"
    "  if (coordinate.x > 1.0)\n"
    "    coordinate.x -= 1.0;\n"
    "  if (coordinate.y > 1.0)\n"
    "    coordinate.y -= 1.0;\n"
    "  vec4 colour = texture2D(uTexture, coordinate);\n"
    "  gl_FragColor.x = (colour.x * (1.0 - uBlendColor.w) + uBlendColor.x * uBlendColor.w) * uTintColor.x;\n"
    "  gl_FragColor.y = (colour.y * (1.0 - uBlendColor.w) + uBlendColor.y * uBlendColor.w) * uTintColor.y;\n"
    "  gl_FragColor.z = (colour.z * (1.0 - uBlendColor.w) + uBlendColor.z * uBlendColor.w) * uTintColor.z;\n"
    "  gl_FragColor.w = colour.w * (uTransparencyValue * uTintColor.w);\n"
    "}\n";

// Index 0 holds no program; 1 is the colour program, 2 the texture program.
class Shader {
 public:
  static const int kCount = 3;

  void Build() {
    const char* vertexSources[kCount] = {"", kColourVertexSource, kTextureVertexSource};
    const char* fragmentSources[kCount] = {"", kColourFragmentSource, kTextureFragmentSource};
    for (int index = 1; index < kCount; ++index) {
      programs_[index] = glCreateProgram();
      CompileAndAttach(index, vertexSources[index], GL_VERTEX_SHADER);
      CompileAndAttach(index, fragmentSources[index], GL_FRAGMENT_SHADER);
      // Some drivers draw nothing unless generic attribute 0 is enabled.
      glBindAttribLocation(programs_[index], 0, "aPosition");
      glLinkProgram(programs_[index]);
    }
  }

  // Returns true when the program in use changed to a real program.
  bool Use(int index) {
    if (index == current_) return false;
    if (index == 0) {
      UseNone();
      return false;
    }
    glUseProgram(programs_[index]);
    current_ = index;
    return true;
  }

  void UseNone() {
    glUseProgram(0);
    current_ = 0;
  }

  int AttribLocation(const char* name) const {
    return current_ == 0 ? -1 : glGetAttribLocation(programs_[current_], name);
  }

  int UniformLocation(const char* name) const {
    return current_ == 0 ? -1 : glGetUniformLocation(programs_[current_], name);
  }

  int Current() const { return current_; }

  void Destroy() {
    for (int index = 0; index < kCount; ++index) {
      if (programs_[index] == 0) continue;
      GLsizei attached = 0;
      GLuint shaders[3] = {0, 0, 0};
      glGetAttachedShaders(programs_[index], 3, &attached, shaders);
      for (GLsizei i = 0; i < attached; ++i) glDeleteShader(shaders[i]);
      glDeleteProgram(programs_[index]);
      programs_[index] = 0;
      CHECK_GL_ERROR("Shader::Destroy");
    }
    current_ = 0;
  }

 private:
  void CompileAndAttach(int index, const char* source, GLenum kind) {
    GLuint shader = glCreateShader(kind);
    glShaderSource(shader, 1, &source, nullptr);
    glCompileShader(shader);
    GLint status = 0;
    glGetShaderiv(shader, GL_COMPILE_STATUS, &status);
    if (status == GL_TRUE) {
      glAttachShader(programs_[index], shader);
    } else {
      ReportCompileFailure(index, shader, kind);
    }
  }

  // A broken shader leaves its program unable to draw; say why on the console.
  static void ReportCompileFailure(int index, GLuint shader, GLenum kind) {
    char log[2048] = "";
    glGetShaderInfoLog(shader, sizeof log, nullptr, log);
    printf("Shader compilation failed (program %d, %s shader):\n%s\n", index,
           kind == GL_VERTEX_SHADER ? "vertex" : "fragment", log);
    glDeleteShader(shader);
  }

  GLuint programs_[kCount] = {0, 0, 0};
  int current_ = 0;
};

/* ---------------------------------------------------------------------------
 * Renderer state
 */

static Shader sShaders;
static int sWindowWidth = 0;
static int sWindowHeight = 0;
static float sCamX = 0.0f;
static float sCamY = 0.0f;
static const float kCamZ = 60.0f;
static const float kNearPlane = 1.0f;
static const float kFarPlane = 1000.0f;
static float sPositionMatrix[16];
static float sTransformMatrix[16];
static float sTransform3DMatrix[16];

int TNGetWindowWidth(void) { return sWindowWidth; }
int TNGetWindowHeight(void) { return sWindowHeight; }

int TNGfxCurrentProgram() { return sShaders.Current(); }
int TNGfxUniformLocation(const char* name) { return sShaders.UniformLocation(name); }
int TNGfxAttribLocation(const char* name) { return sShaders.AttribLocation(name); }

static void UpdateVisibleBounds() {
  float width = static_cast<float>(sWindowWidth);
  float height = static_cast<float>(sWindowHeight);
  gTNWinMinX = sCamX - width * 0.5f;
  gTNWinMaxX = width * 0.5f + sCamX;
  gTNWinMinY = sCamY - height * 0.5f;
  gTNWinMaxY = height * 0.5f + sCamY;
}

// Matrix4 is row-major; GL wants column-major data.
static void UploadMatrix(const char* uniform, const Matrix4& rowMajor) {
  GLint location = sShaders.UniformLocation(uniform);
  if (location < 0) return;
  Matrix4 columnMajor;
  Mtx4Transpose(columnMajor, rowMajor);
  glUniformMatrix4fv(location, 1, GL_FALSE, &columnMajor.m[0][0]);
}

static void UploadWorldMatrix(const float* columnMajor) {
  GLint location = sShaders.UniformLocation("uWorldMatrix");
  if (location >= 0) glUniformMatrix4fv(location, 1, GL_FALSE, columnMajor);
}

void TNGfxUploadView(float scaleX, float scaleY) {
  Matrix4 view;
  Mtx4LookAt(view, Point4(sCamX, sCamY, kCamZ, 1.0f), Point4(sCamX, sCamY, 0.0f, 1.0f),
             Vector4(0.0f, 1.0f, 0.0f, 0.0f));
  // Scaling after the view keeps the visible world size on any screen size.
  Matrix4 scale;
  scale.Identity();
  scale.m[0][0] = scaleX;
  scale.m[1][1] = scaleY;
  UploadMatrix("uVMatrix", scale * view);
}

static void SetProjectionAndViewMatrices() {
  float scaleX = 1.0f;
  float scaleY = 1.0f;
  TNSysGetScale(&scaleX, &scaleY);
  // Rounded: truncating 1366 / 800 * 800 in floats would lose the last column.
  int width = static_cast<int>(lroundf(static_cast<float>(sWindowWidth) * scaleX));
  int height = static_cast<int>(lroundf(static_cast<float>(sWindowHeight) * scaleY));
  Matrix4 projection;
  Mtx4Orthographic(projection, static_cast<float>(width), static_cast<float>(height), kNearPlane,
                   kFarPlane);
  UploadMatrix("uPMatrix", projection);
  glViewport(0, 0, width, height);
  CHECK_GL_ERROR("SetProjectionAndViewMatrices");
  TNGfxUploadView(scaleX, scaleY);
  CHECK_GL_ERROR("SetProjectionAndViewMatrices");
}

/* ---------------------------------------------------------------------------
 * Life cycle and frame bracket
 */

int TNGfxInit(int width, int height) {
  sWindowWidth = width;
  sWindowHeight = height;
  printf("Graphics: OpenGL\n");
  if (!TNPlatWindow()) return 0;
  if (!TNPlatCreateGLContext()) return 0;
  if (!TNPlatLoadGL()) TNReportHalt(__LINE__, __func__, TN_GRAPHICS_FILE, "OpenGL 2.0 is not available!!");
  UpdateVisibleBounds();
  sShaders.Build();
  TNGfxSetRenderMode(1);
  TNGfxSetTintColor(1.0f, 1.0f, 1.0f, 1.0f);
  TNGfxSetTransparency(1.0f);
  glClearColor(1.0f, 1.0f, 1.0f, 1.0f);
  CHECK_GL_ERROR("TNGfxInit");
  return 1;
}

void TNGfxReset(void) { TNGfxMeshStagingClear(); }

void TNGfxExit(void) {
  TNGfxStreamBuffersRelease();
  sShaders.Destroy();
  TNPlatDestroyGLContext();
}

void TNGfxStart(void) {
  glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
  glViewport(0, 0, sWindowWidth, sWindowHeight);
}

void TNGfxEnd(void) {
  CHECK_GL_ERROR("TNGfxEnd");
  sShaders.UseNone();
  CHECK_GL_ERROR("TNGfxEnd");
  // Finishing here lets the frame-rate controller measure completed GPU work.
  glFinish();
  TNPlatSwapBuffers();
}

/* ---------------------------------------------------------------------------
 * Render state
 */

void TNGfxSetBackgroundColor(float r, float g, float b) { glClearColor(r, g, b, 1.0f); }

void TNGfxSetRenderMode(int mode) {
  if (mode == 0) {
    sShaders.Use(0);
  } else if (mode == 1 || mode == 2) {
    if (sShaders.Use(mode)) SetProjectionAndViewMatrices();
  }
}

void TNGfxSetBlendMode(int mode) {
  switch (mode) {
    case 0:
      glDisable(GL_BLEND);
      break;
    case 1:
      glEnable(GL_BLEND);
      glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
      break;
    case 2:
      glEnable(GL_BLEND);
      glBlendFunc(GL_SRC_ALPHA, GL_ONE);
      break;
    default:
      break;
  }
}

void TNGfxSetTextureMode(int mode) {
  GLint filter;
  if (mode == 0) {
    filter = GL_NEAREST;
  } else if (mode == 1) {
    filter = GL_LINEAR;
  } else {
    printf("Unsupported texture mode!\n");
    return;
  }
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, filter);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, filter);
}

// Without a program there is nothing to set; GL would flag the call.
static void SetUniform4(const char* name, float x, float y, float z, float w) {
  GLint location = sShaders.UniformLocation(name);
  if (location >= 0) glUniform4f(location, x, y, z, w);
}

void TNGfxSetTintColor(float r, float g, float b, float a) { SetUniform4("uTintColor", r, g, b, a); }

void TNGfxSetBlendColor(float r, float g, float b, float a) {
  SetUniform4("uBlendColor", r, g, b, a);
  CHECK_GL_ERROR("TNGfxSetBlendColor");
}

void TNGfxSetTransparency(float alpha) {
  GLint location = sShaders.UniformLocation("uTransparencyValue");
  if (location >= 0) glUniform1f(location, alpha);
}

/* ---------------------------------------------------------------------------
 * World transforms
 */

static void SetIdentity(float* matrix) {
  for (int i = 0; i < 16; ++i) matrix[i] = (i % 5 == 0) ? 1.0f : 0.0f;
}

void TNGfxSetPosition(float x, float y) {
  SetIdentity(sPositionMatrix);
  sPositionMatrix[12] = x;
  sPositionMatrix[13] = y;
  UploadWorldMatrix(sPositionMatrix);
}

// The 3x3 affine matrix acts on x and y; z passes through unchanged.
void TNGfxSetTransform(const TNMtx33* m) {
  if (!m) return;
  for (int i = 0; i < 16; ++i) sTransformMatrix[i] = 0.0f;
  sTransformMatrix[0] = m->m[0][0];
  sTransformMatrix[1] = m->m[1][0];
  sTransformMatrix[4] = m->m[0][1];
  sTransformMatrix[5] = m->m[1][1];
  sTransformMatrix[10] = 1.0f;
  sTransformMatrix[12] = m->m[0][2];
  sTransformMatrix[13] = m->m[1][2];
  sTransformMatrix[15] = 1.0f;
  UploadWorldMatrix(sTransformMatrix);
}

void TNGfxSetTransform3D(const float* rowMajor4x4) {
  if (!rowMajor4x4) return;
  for (int row = 0; row < 4; ++row) {
    for (int col = 0; col < 4; ++col) sTransform3DMatrix[4 * col + row] = rowMajor4x4[4 * row + col];
  }
  UploadWorldMatrix(sTransform3DMatrix);
}

/* ---------------------------------------------------------------------------
 * Camera
 */

void TNGfxSetCamPosition(float x, float y) {
  sCamX = x;
  sCamY = y;
  UpdateVisibleBounds();
}

void TNGfxGetCamPosition(float* x, float* y) {
  if (x) *x = sCamX;
  if (y) *y = sCamY;
}

float TNGfxGetWinMinX(void) { return gTNWinMinX; }
float TNGfxGetWinMaxX(void) { return gTNWinMaxX; }
float TNGfxGetWinMinY(void) { return gTNWinMinY; }
float TNGfxGetWinMaxY(void) { return gTNWinMaxY; }
