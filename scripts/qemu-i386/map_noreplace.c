/* Preloaded into 32-bit Wine when it runs under qemu-user, which takes
 * MAP_FIXED_NOREPLACE as a mere hint and maps elsewhere instead of failing.
 * Wine then splits its address-space reservation down to 64 KB pieces and
 * spends about a minute starting each process. This gives the flag the
 * kernel's meaning: the mapping is made where asked, or it fails with EEXIST.
 * Freestanding: built with the host compiler's -m32 and no 32-bit C library. */
#include <stddef.h>

extern int *__errno_location(void);

enum { sys_old_mmap = 90, sys_munmap = 91, map_fixed_noreplace = 0x100000 };
enum { einval = 22, eexist = 17 };

static long system_call(long number, long first, long second)
{
    long result;
    __asm__ volatile("int $0x80" : "=a"(result) : "a"(number), "b"(first), "c"(second) : "memory");
    return result;
}

static void *map(void *address, size_t length, int protection, int flags, int file, unsigned long long offset)
{
    if ((offset & 4095) || offset > 0xFFFFFFFFull) {
        *__errno_location() = einval;
        return (void *)-1;
    }
    unsigned long arguments[6] = {(unsigned long)address, length, (unsigned long)protection,
                                  (unsigned long)(flags & ~map_fixed_noreplace), (unsigned long)file,
                                  (unsigned long)offset};
    long result = system_call(sys_old_mmap, (long)arguments, 0);
    if ((unsigned long)result > -4096UL) {
        *__errno_location() = (int)-result;
        return (void *)-1;
    }
    if ((flags & map_fixed_noreplace) && (void *)result != address) {
        system_call(sys_munmap, result, (long)length);
        *__errno_location() = eexist;
        return (void *)-1;
    }
    return (void *)result;
}

void *mmap(void *address, size_t length, int protection, int flags, int file, long offset)
{
    return map(address, length, protection, flags, file, (unsigned long)offset);
}

void *mmap64(void *address, size_t length, int protection, int flags, int file, long long offset)
{
    return map(address, length, protection, flags, file, (unsigned long long)offset);
}
