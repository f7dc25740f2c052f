#define SHA1_VECTOR_TARGET VELQUIN_TARGET("ssse3")
#define SHA1_VECTOR_ROUTINE Sha1BlocksSsse3
#include "digest/Sha1BlocksVector.inl"
