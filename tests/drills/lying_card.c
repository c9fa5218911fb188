/* A card for the drills that stores data the way bad SD cards do: an
 * in-memory file tree served through FUSE with direct I/O, so that every read
 * reaches it and the kernel's page cache never answers a read-back.
 *
 *   lying_card MOUNTPOINT -f -s -o OPTIONS
 *
 * Options (none: a good card):
 *   worn=N        a worn card: a write that covers file offset N stores the
 *                 byte at offset N inverted, in every file.
 *   capacity=C    a fake-capacity card: the C-th byte written and every later
 *                 one also lands where the byte written C bytes earlier went,
 *                 if that file still exists. Every file reads back right after
 *                 its own write; earlier files change under their names later.
 *   fail_fsync=G  fsync of a file whose name matches the glob G fails (EIO).
 *   fail_rename=G a rename of a file whose name matches G fails (EIO).
 *   flip_rename=G a file renamed from a name matching G has its first byte
 *                 stored inverted.
 *   read_delay=MS a slow reader: every read takes MS milliseconds more.
 *   log=PATH      one line per lie told, flushed at once:
 *                   flip PATH OFFSET
 *                   wrap PATH OFFSET LENGTH CHANGED
 *                   fsync-eio PATH
 *                   rename-eio PATH
 *
 * Built by card_drills.sh with the host compiler against libfuse3. */
#define FUSE_USE_VERSION 31
#define _GNU_SOURCE /* RENAME_NOREPLACE */
#include <errno.h>
#include <fnmatch.h>
#include <fuse.h>
#include <stdarg.h>
#include <stddef.h>
#include <stdint.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <sys/stat.h>
#include <unistd.h>
#include <time.h>
#include <unistd.h>

struct node {
    char* path; /* "/a/b"; the root is "/" */
    mode_t mode;
    unsigned char* data;
    size_t size, room;
    struct timespec atime, mtime;
    uint64_t ino;
    int opens;   /* open handles: an unlinked file lives until the last closes */
    int removed; /* no longer in the tree */
};

/* Where a run of written bytes went, by global write position. */
struct extent {
    uint64_t start, length, ino, offset;
};

static struct {
    long worn;        /* -1: no worn byte */
    long capacity;    /* 0: true capacity */
    char* fail_fsync; /* globs or NULL */
    char* fail_rename;
    char* flip_rename;
    char* log;
    long read_delay; /* milliseconds every read takes, as on a slow reader */
} options = {-1, 0, NULL, NULL, NULL, NULL, 0};

static const struct fuse_opt option_spec[] = {
    {"worn=%ld", offsetof(__typeof__(options), worn), 0},
    {"capacity=%ld", offsetof(__typeof__(options), capacity), 0},
    {"fail_fsync=%s", offsetof(__typeof__(options), fail_fsync), 0},
    {"fail_rename=%s", offsetof(__typeof__(options), fail_rename), 0},
    {"flip_rename=%s", offsetof(__typeof__(options), flip_rename), 0},
    {"log=%s", offsetof(__typeof__(options), log), 0},
    {"read_delay=%ld", offsetof(__typeof__(options), read_delay), 0},
    FUSE_OPT_END};

static struct node** nodes;
static size_t node_count, node_room;
static uint64_t next_ino = 1;
static struct extent* journal;
static size_t journal_count, journal_room;
static uint64_t written_total;
static FILE* log_file;

static void note(const char* format, ...) __attribute__((format(printf, 1, 2)));
static void note(const char* format, ...)
{
    if (!log_file)
        return;
    va_list args;
    va_start(args, format);
    vfprintf(log_file, format, args);
    va_end(args);
    fflush(log_file);
}

static void* grow(void* array, size_t* room, size_t need, size_t item)
{
    if (need <= *room)
        return array;
    size_t bigger = *room ? *room * 2 : 64;
    while (bigger < need)
        bigger *= 2;
    void* moved = realloc(array, bigger * item);
    if (!moved)
        abort(); /* a lab that runs out of memory cannot tell the truth either */
    *room = bigger;
    return moved;
}

static struct node* find(const char* path)
{
    for (size_t i = 0; i < node_count; ++i)
        if (strcmp(nodes[i]->path, path) == 0)
            return nodes[i];
    return NULL;
}

static struct node* find_ino(uint64_t ino)
{
    for (size_t i = 0; i < node_count; ++i)
        if (nodes[i]->ino == ino)
            return nodes[i];
    return NULL;
}

static struct node* add(const char* path, mode_t mode)
{
    struct node* node = calloc(1, sizeof *node);
    if (!node || !(node->path = strdup(path)))
        abort();
    node->mode = mode;
    node->ino = next_ino++;
    clock_gettime(CLOCK_REALTIME, &node->mtime);
    node->atime = node->mtime;
    nodes = grow(nodes, &node_room, node_count + 1, sizeof *nodes);
    nodes[node_count++] = node;
    return node;
}

static void release_node(struct node* node)
{
    if (node->removed && node->opens == 0) {
        free(node->path);
        free(node->data);
        free(node);
    }
}

static void take_out(struct node* node)
{
    for (size_t i = 0; i < node_count; ++i) {
        if (nodes[i] == node) {
            nodes[i] = nodes[--node_count];
            break;
        }
    }
    node->removed = 1;
    release_node(node);
}

/* The folder part of a path must name an existing folder. */
static int parent_is_folder(const char* path)
{
    const char* slash = strrchr(path, '/');
    if (slash == path)
        return 1;
    char parent[4096];
    snprintf(parent, sizeof parent, "%.*s", (int)(slash - path), path);
    struct node* node = find(parent);
    return node && S_ISDIR(node->mode);
}

static int is_child(const char* path, const char* folder)
{
    size_t length = strcmp(folder, "/") == 0 ? 0 : strlen(folder);
    return strncmp(path, folder, length) == 0 && path[length] == '/' && path[length + 1] &&
           !strchr(path + length + 1, '/');
}

static int resize(struct node* node, size_t size)
{
    node->data = grow(node->data, &node->room, size, 1);
    if (size > node->size)
        memset(node->data + node->size, 0, size - node->size);
    node->size = size;
    return 0;
}

static struct node* handle_node(const char* path, struct fuse_file_info* fi)
{
    return fi && fi->fh ? (struct node*)(uintptr_t)fi->fh : find(path);
}

static int lab_getattr(const char* path, struct stat* st, struct fuse_file_info* fi)
{
    struct node* node = handle_node(path, fi);
    if (!node)
        return -ENOENT;
    memset(st, 0, sizeof *st);
    st->st_mode = node->mode;
    st->st_nlink = S_ISDIR(node->mode) ? 2 : 1;
    st->st_uid = getuid();
    st->st_gid = getgid();
    st->st_size = (off_t)node->size;
    st->st_blksize = 4096;
    st->st_blocks = (blkcnt_t)((node->size + 511) / 512);
    st->st_atim = node->atime;
    st->st_mtim = node->mtime;
    st->st_ctim = node->mtime;
    st->st_ino = node->ino;
    return 0;
}

static int lab_readdir(const char* path, void* buffer, fuse_fill_dir_t fill, off_t offset,
                       struct fuse_file_info* fi, enum fuse_readdir_flags flags)
{
    (void)offset, (void)fi, (void)flags;
    fill(buffer, ".", NULL, 0, 0);
    fill(buffer, "..", NULL, 0, 0);
    for (size_t i = 0; i < node_count; ++i)
        if (is_child(nodes[i]->path, path))
            fill(buffer, strrchr(nodes[i]->path, '/') + 1, NULL, 0, 0);
    return 0;
}

static int lab_mkdir(const char* path, mode_t mode)
{
    if (find(path))
        return -EEXIST;
    if (!parent_is_folder(path))
        return -ENOENT;
    add(path, S_IFDIR | (mode & 07777));
    return 0;
}

static int lab_unlink(const char* path)
{
    struct node* node = find(path);
    if (!node)
        return -ENOENT;
    if (S_ISDIR(node->mode))
        return -EISDIR;
    take_out(node);
    return 0;
}

static int lab_rmdir(const char* path)
{
    struct node* node = find(path);
    if (!node)
        return -ENOENT;
    if (!S_ISDIR(node->mode))
        return -ENOTDIR;
    for (size_t i = 0; i < node_count; ++i)
        if (is_child(nodes[i]->path, path))
            return -ENOTEMPTY;
    take_out(node);
    return 0;
}

static int named(const char* glob, const char* path)
{
    return glob && fnmatch(glob, strrchr(path, '/') + 1, 0) == 0;
}

static int lab_rename(const char* from, const char* to, unsigned int flags)
{
    struct node* node = find(from);
    struct node* old = find(to);
    if (!node)
        return -ENOENT;
    if (named(options.fail_rename, from)) {
        note("rename-eio %s\n", from);
        return -EIO;
    }
    if (flags & RENAME_EXCHANGE)
        return -EINVAL;
    if (old && (flags & RENAME_NOREPLACE))
        return -EEXIST;
    if (!parent_is_folder(to))
        return -ENOENT;
    if (old == node)
        return 0;
    if (old && S_ISDIR(old->mode)) {
        int refused = lab_rmdir(to);
        if (refused)
            return refused;
    } else if (old) {
        take_out(old);
    }
    /* The node and everything under it move. */
    size_t length = strlen(from);
    for (size_t i = 0; i < node_count; ++i) {
        char* path = nodes[i]->path;
        if (strncmp(path, from, length) != 0 || (path[length] && path[length] != '/'))
            continue;
        char* moved = malloc(strlen(to) + strlen(path + length) + 1);
        if (!moved)
            abort();
        sprintf(moved, "%s%s", to, path + length);
        free(path);
        nodes[i]->path = moved;
    }
    if (named(options.flip_rename, from) && node->size > 0) {
        node->data[0] ^= 0xFF;
        note("flip %s 0\n", to);
    }
    return 0;
}

static int lab_chmod(const char* path, mode_t mode, struct fuse_file_info* fi)
{
    struct node* node = handle_node(path, fi);
    if (!node)
        return -ENOENT;
    node->mode = (node->mode & S_IFMT) | (mode & 07777);
    return 0;
}

static int lab_truncate(const char* path, off_t size, struct fuse_file_info* fi)
{
    struct node* node = handle_node(path, fi);
    if (!node)
        return -ENOENT;
    if (S_ISDIR(node->mode))
        return -EISDIR;
    return resize(node, (size_t)size);
}

static int lab_utimens(const char* path, const struct timespec times[2], struct fuse_file_info* fi)
{
    struct node* node = handle_node(path, fi);
    if (!node)
        return -ENOENT;
    struct timespec now;
    clock_gettime(CLOCK_REALTIME, &now);
    if (times[0].tv_nsec != UTIME_OMIT)
        node->atime = times[0].tv_nsec == UTIME_NOW ? now : times[0];
    if (times[1].tv_nsec != UTIME_OMIT)
        node->mtime = times[1].tv_nsec == UTIME_NOW ? now : times[1];
    return 0;
}

static int opened(struct node* node, struct fuse_file_info* fi)
{
    if (S_ISDIR(node->mode))
        return -EISDIR;
    node->opens++;
    fi->fh = (uint64_t)(uintptr_t)node;
    fi->direct_io = 1;
    return 0;
}

static int lab_open(const char* path, struct fuse_file_info* fi)
{
    struct node* node = find(path);
    return node ? opened(node, fi) : -ENOENT;
}

static int lab_create(const char* path, mode_t mode, struct fuse_file_info* fi)
{
    if (!parent_is_folder(path))
        return -ENOENT;
    struct node* node = find(path);
    return opened(node ? node : add(path, S_IFREG | (mode & 07777)), fi);
}

static int lab_release(const char* path, struct fuse_file_info* fi)
{
    (void)path;
    struct node* node = (struct node*)(uintptr_t)fi->fh;
    node->opens--;
    release_node(node);
    return 0;
}

static int lab_read(const char* path, char* buffer, size_t size, off_t offset,
                    struct fuse_file_info* fi)
{
    (void)path;
    struct node* node = (struct node*)(uintptr_t)fi->fh;
    if (options.read_delay > 0)
        usleep((useconds_t)options.read_delay * 1000);
    if ((size_t)offset >= node->size)
        return 0;
    if (size > node->size - (size_t)offset)
        size = node->size - (size_t)offset;
    memcpy(buffer, node->data + offset, size);
    return (int)size;
}

/* The bytes at global positions start.. also land where the bytes written
 * capacity bytes earlier went. */
static void wrap_onto_earlier(const unsigned char* bytes, uint64_t start, size_t size)
{
    uint64_t capacity = (uint64_t)options.capacity;
    for (size_t e = 0; e < journal_count; ++e) {
        const struct extent* earlier = &journal[e];
        /* The part of this write whose position minus capacity falls in earlier. */
        uint64_t from = earlier->start + capacity, to = from + earlier->length;
        uint64_t lo = from > start ? from : start, hi = to < start + size ? to : start + size;
        struct node* victim = lo < hi ? find_ino(earlier->ino) : NULL;
        if (!victim)
            continue;
        uint64_t offset = earlier->offset + (lo - from);
        if (offset >= victim->size)
            continue;
        size_t length = (size_t)(hi - lo);
        if (length > victim->size - offset)
            length = victim->size - (size_t)offset;
        size_t changed = 0;
        for (size_t i = 0; i < length; ++i) {
            unsigned char byte = bytes[lo - start + i];
            changed += victim->data[offset + i] != byte;
            victim->data[offset + i] = byte;
        }
        note("wrap %s %llu %zu %zu\n", victim->path, (unsigned long long)offset, length, changed);
    }
}

static int lab_write(const char* path, const char* buffer, size_t size, off_t offset,
                     struct fuse_file_info* fi)
{
    (void)path;
    struct node* node = (struct node*)(uintptr_t)fi->fh;
    if ((size_t)offset + size > node->size)
        resize(node, (size_t)offset + size);
    memcpy(node->data + offset, buffer, size);
    if (options.worn >= offset && options.worn < offset + (off_t)size) {
        node->data[options.worn] ^= 0xFF;
        note("flip %s %ld\n", node->path, options.worn);
    }
    clock_gettime(CLOCK_REALTIME, &node->mtime);
    if (options.capacity > 0) {
        wrap_onto_earlier((const unsigned char*)buffer, written_total, size);
        journal = grow(journal, &journal_room, journal_count + 1, sizeof *journal);
        journal[journal_count++] =
            (struct extent){written_total, size, node->ino, (uint64_t)offset};
    }
    written_total += size;
    return (int)size;
}

static int lab_fsync(const char* path, int datasync, struct fuse_file_info* fi)
{
    (void)datasync;
    struct node* node = handle_node(path, fi);
    if (!node)
        return -ENOENT;
    if (named(options.fail_fsync, node->path)) {
        note("fsync-eio %s\n", node->path);
        return -EIO;
    }
    return 0;
}

static int lab_statfs(const char* path, struct statvfs* st)
{
    (void)path;
    uint64_t used = 0;
    for (size_t i = 0; i < node_count; ++i)
        used += nodes[i]->size;
    memset(st, 0, sizeof *st);
    st->f_bsize = st->f_frsize = 4096;
    st->f_blocks = 1u << 20; /* 4 GiB, what every card says of itself */
    st->f_bfree = st->f_bavail = st->f_blocks - (used + 4095) / 4096;
    st->f_files = 65536;
    st->f_ffree = st->f_favail = 65536 - node_count;
    st->f_namemax = 255;
    return 0;
}

static void* lab_init(struct fuse_conn_info* conn, struct fuse_config* cfg)
{
    (void)conn;
    cfg->direct_io = 1;
    cfg->kernel_cache = 0;
    cfg->entry_timeout = cfg->negative_timeout = cfg->attr_timeout = 0;
    cfg->hard_remove = 1; /* an unlinked open file lives on here, not as .fuse_hidden */
    cfg->use_ino = 1;
    return NULL;
}

static const struct fuse_operations operations = {
    .init = lab_init,
    .getattr = lab_getattr,
    .readdir = lab_readdir,
    .mkdir = lab_mkdir,
    .unlink = lab_unlink,
    .rmdir = lab_rmdir,
    .rename = lab_rename,
    .chmod = lab_chmod,
    .truncate = lab_truncate,
    .utimens = lab_utimens,
    .open = lab_open,
    .create = lab_create,
    .release = lab_release,
    .read = lab_read,
    .write = lab_write,
    .fsync = lab_fsync,
    .statfs = lab_statfs,
};

int main(int argc, char* argv[])
{
    struct fuse_args args = FUSE_ARGS_INIT(argc, argv);
    if (fuse_opt_parse(&args, &options, option_spec, NULL) == -1)
        return 1;
    if (options.log && !(log_file = fopen(options.log, "w"))) {
        perror(options.log);
        return 1;
    }
    add("/", S_IFDIR | 0755);
    int status = fuse_main(args.argc, args.argv, &operations, NULL);
    fuse_opt_free_args(&args);
    return status;
}
