// One header, named by LAYER_HEADER, included in the context of the layer
// library this file is compiled against (tests/layers/CMakeLists.txt): it
// builds only where that header's layer is visible.
#include LAYER_HEADER
