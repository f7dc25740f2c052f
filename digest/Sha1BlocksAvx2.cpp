// Three-operand vector forms, and rotations and and-not without extra moves
// in the scalar rounds, where i386's few registers make every move count.
#define SHA1_VECTOR_TARGET VELQUIN_TARGET("avx2,bmi,bmi2")
#define SHA1_VECTOR_ROUTINE Sha1BlocksAvx2
#include "digest/Sha1BlocksVector.inl"
