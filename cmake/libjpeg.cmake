# libjpeg: on Linux cross builds from scripts/build-libjpeg.sh; on Windows from
# any package manager that find_package(JPEG) understands (e.g. vcpkg).
if(CMAKE_SIZEOF_VOID_P EQUAL 8)
  set(velloran_arch x86_64)
else()
  set(velloran_arch i686)
endif()
set(VELLORAN_DEPS /opt/velloran-deps CACHE PATH "Where scripts/build-libjpeg.sh installs libjpeg")
list(APPEND CMAKE_FIND_ROOT_PATH ${VELLORAN_DEPS}/${velloran_arch}/libjpeg-min)
list(APPEND CMAKE_PREFIX_PATH ${VELLORAN_DEPS}/${velloran_arch}/libjpeg-min)
find_package(JPEG REQUIRED)
