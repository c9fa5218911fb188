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
 *   fail_read=G   a read through a handle opened read-only (as a check reads
 *                 a file that is already in place) of a file whose name
 *                 matches G fails (EIO); a handle opened to write reads well.
 *   short_read=G  such a read ends early: past half the file's size it finds
 *                 nothing more.
 *   log=PATH      one line per lie told, flushed at once:
 *                   flip PATH OFFSET
 *                   wrap PATH OFFSET LENGTH CHANGED
 *                   fsync-eio PATH
 *                   rename-eio PATH
 *                   read-eio PATH
 *                   read-short PATH OFFSET
 * Globs match the last component of a path, with ksh's @(a|b) alternatives.
 *
 * The control file /.lab, never listed and never counted, works also while
 * the card is pulled. Reading it gives "pulled 0" or "pulled 1", then the
 * changes asked of the card since the last "count", one a line, in order:
 *   mkdir PATH | rmdir PATH | create PATH | unlink PATH
 *   write PATH OFFSET LENGTH | truncate PATH SIZE | rename FROM -> TO
 * Each line written to it is a command (an unknown one fails the write):
 *   count             the count and its list start again from 0
 *   pull N [MIDDLE]   the card is pulled right after change N of the count:
 *                     every later call fails with EIO, the card keeps
 *                     changes 1..N. For a rename of a file, MIDDLE pulls it
 *                     halfway instead (the rename fails with EIO):
 *                       lost        the file under neither name
 *                       new-empty   a file of 0 bytes under the new name,
 *                                   the file intact under the old one
 *                       old-empty   the file under the new name, a file of
 *                                   0 bytes under the old one
 *   back              the card is put back as the pull left it
 *   snapshot          the whole tree is kept as it is
 *   restore           the tree becomes the one kept; open handles stay on
 *                     their files, which leave the tree
 *   fail_read=G, short_read=G   as the options; an empty G: none
 *
 * Built by card_drills.sh with the host compiler against libfuse3. */
#define FUSE_USE_VERSION 31
#define _GNU_SOURCE /* RENAME_NOREPLACE, FNM_EXTMATCH */
#include <errno.h>
#include <fcntl.h>
#include <fnmatch.h>
#include <fuse.h>
#include <stdarg.h>
#include <stddef.h>
#include <stdint.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <sys/stat.h>
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
    char* fail_read; /* globs or NULL, for reads through read-only handles */
    char* short_read;
} options = {-1, 0, NULL, NULL, NULL, NULL, 0, NULL, NULL};

static const struct fuse_opt option_spec[] = {
    {"worn=%ld", offsetof(__typeof__(options), worn), 0},
    {"capacity=%ld", offsetof(__typeof__(options), capacity), 0},
    {"fail_fsync=%s", offsetof(__typeof__(options), fail_fsync), 0},
    {"fail_rename=%s", offsetof(__typeof__(options), fail_rename), 0},
    {"flip_rename=%s", offsetof(__typeof__(options), flip_rename), 0},
    {"log=%s", offsetof(__typeof__(options), log), 0},
    {"read_delay=%ld", offsetof(__typeof__(options), read_delay), 0},
    {"fail_read=%s", offsetof(__typeof__(options), fail_read), 0},
    {"short_read=%s", offsetof(__typeof__(options), short_read), 0},
    FUSE_OPT_END};

static struct node** nodes;
static size_t node_count, node_room;
static uint64_t next_ino = 1;
static struct extent* journal;
static size_t journal_count, journal_room;
static uint64_t written_total;
static FILE* log_file;

/* An open file: the node it reaches, or none for the control file, whose
 * handle carries the answer as it was when it was opened. */
struct handle {
    struct node* node;
    int read_only;
    char* answer;
    size_t answer_size;
};

static const char control_path[] = "/.lab";

/* Where a rename is when a pull stops it halfway. */
enum middle { WHOLE, LOST, NEW_EMPTY, OLD_EMPTY };
static const char* const middle_names[] = {"", "lost", "new-empty", "old-empty"};

/* The changes counted, the pull armed or done, and the tree kept. */
static struct {
    unsigned long changes;
    char* list; /* one line per change */
    size_t list_size, list_room;
    unsigned long pull_at; /* 0: none armed */
    enum middle middle;
    int pulled;
    struct node** kept;
    size_t kept_count;
} lab;

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

/* A change the card made: counted, listed, and the card pulled when it is
 * the one the pull waits for. */
static void changed(const char* format, ...) __attribute__((format(printf, 1, 2)));
static void changed(const char* format, ...)
{
    char line[9000];
    va_list args;
    va_start(args, format);
    int length = vsnprintf(line, sizeof line - 1, format, args);
    va_end(args);
    if (length < 0)
        abort();
    if ((size_t)length > sizeof line - 2)
        length = (int)sizeof line - 2;
    line[length++] = '\n';
    lab.list = grow(lab.list, &lab.list_room, lab.list_size + (size_t)length, 1);
    memcpy(lab.list + lab.list_size, line, (size_t)length);
    lab.list_size += (size_t)length;
    if (++lab.changes == lab.pull_at)
        lab.pulled = 1;
}

static int is_control(const char* path)
{
    return path && strcmp(path, control_path) == 0;
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

/* A node of its own with the same name, contents and times. */
static struct node* copy_of(const struct node* node)
{
    struct node* copy = malloc(sizeof *copy);
    if (!copy)
        abort();
    *copy = *node;
    copy->opens = copy->removed = 0;
    copy->room = node->size;
    copy->path = strdup(node->path);
    copy->data = node->size ? malloc(node->size) : NULL;
    if (!copy->path || (node->size && !copy->data))
        abort();
    if (node->size)
        memcpy(copy->data, node->data, node->size);
    return copy;
}

static void snapshot(void)
{
    for (size_t i = 0; i < lab.kept_count; ++i) {
        lab.kept[i]->removed = 1;
        release_node(lab.kept[i]);
    }
    free(lab.kept);
    lab.kept = malloc(node_count * sizeof *lab.kept);
    if (!lab.kept)
        abort();
    for (size_t i = 0; i < node_count; ++i)
        lab.kept[i] = copy_of(nodes[i]);
    lab.kept_count = node_count;
}

static void restore(void)
{
    while (node_count > 0)
        take_out(nodes[node_count - 1]);
    for (size_t i = 0; i < lab.kept_count; ++i) {
        nodes = grow(nodes, &node_room, node_count + 1, sizeof *nodes);
        nodes[node_count++] = copy_of(lab.kept[i]);
    }
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

static struct handle* handle_of(struct fuse_file_info* fi)
{
    return (struct handle*)(uintptr_t)fi->fh;
}

static struct node* handle_node(const char* path, struct fuse_file_info* fi)
{
    return fi && fi->fh ? handle_of(fi)->node : find(path);
}

/* What reading the control file gives now. */
static char* control_answer(size_t* size)
{
    char head[32];
    int length = snprintf(head, sizeof head, "pulled %d\n", lab.pulled);
    char* answer = malloc((size_t)length + lab.list_size + 1);
    if (!answer)
        abort();
    memcpy(answer, head, (size_t)length);
    if (lab.list_size)
        memcpy(answer + length, lab.list, lab.list_size);
    *size = (size_t)length + lab.list_size;
    answer[*size] = '\0';
    return answer;
}

static int lab_getattr(const char* path, struct stat* st, struct fuse_file_info* fi)
{
    memset(st, 0, sizeof *st);
    st->st_uid = getuid();
    st->st_gid = getgid();
    st->st_blksize = 4096;
    if (is_control(path)) {
        size_t size = 0;
        free(control_answer(&size));
        st->st_mode = S_IFREG | 0600;
        st->st_nlink = 1;
        st->st_size = (off_t)size;
        st->st_ino = UINT64_MAX - 1;
        return 0;
    }
    if (lab.pulled)
        return -EIO;
    struct node* node = handle_node(path, fi);
    if (!node)
        return -ENOENT;
    st->st_mode = node->mode;
    st->st_nlink = S_ISDIR(node->mode) ? 2 : 1;
    st->st_size = (off_t)node->size;
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
    if (lab.pulled)
        return -EIO;
    fill(buffer, ".", NULL, 0, 0);
    fill(buffer, "..", NULL, 0, 0);
    for (size_t i = 0; i < node_count; ++i)
        if (is_child(nodes[i]->path, path))
            fill(buffer, strrchr(nodes[i]->path, '/') + 1, NULL, 0, 0);
    return 0;
}

static int lab_mkdir(const char* path, mode_t mode)
{
    if (lab.pulled)
        return -EIO;
    if (find(path) || is_control(path))
        return -EEXIST;
    if (!parent_is_folder(path))
        return -ENOENT;
    add(path, S_IFDIR | (mode & 07777));
    changed("mkdir %s", path);
    return 0;
}

static int lab_unlink(const char* path)
{
    if (is_control(path))
        return -EPERM;
    if (lab.pulled)
        return -EIO;
    struct node* node = find(path);
    if (!node)
        return -ENOENT;
    if (S_ISDIR(node->mode))
        return -EISDIR;
    take_out(node);
    changed("unlink %s", path);
    return 0;
}

static int remove_folder(const char* path)
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

static int lab_rmdir(const char* path)
{
    if (lab.pulled)
        return -EIO;
    int refused = remove_folder(path);
    if (!refused)
        changed("rmdir %s", path);
    return refused;
}

static int named(const char* glob, const char* path)
{
    return glob && fnmatch(glob, strrchr(path, '/') + 1, FNM_EXTMATCH) == 0;
}

/* The node at from and everything under it take the name to. */
static void move_paths(const char* from, const char* to)
{
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
}

/* A rename of a file stopped halfway by the pull the card waits for; a
 * FAT rename writes two folder entries. */
static int rename_halfway(struct node* node, struct node* old, const char* from, const char* to)
{
    if (old)
        take_out(old);
    if (lab.middle == LOST) {
        take_out(node);
    } else if (lab.middle == NEW_EMPTY) {
        add(to, S_IFREG | (node->mode & 07777));
    } else {
        move_paths(from, to);
        add(from, S_IFREG | (node->mode & 07777));
    }
    changed("rename %s -> %s", from, to);
    return -EIO;
}

static int lab_rename(const char* from, const char* to, unsigned int flags)
{
    if (is_control(from) || is_control(to))
        return -EPERM;
    if (lab.pulled)
        return -EIO;
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
    if (lab.middle != WHOLE && lab.changes + 1 == lab.pull_at && S_ISREG(node->mode) &&
        (!old || S_ISREG(old->mode)))
        return rename_halfway(node, old, from, to);
    if (old && S_ISDIR(old->mode)) {
        int refused = remove_folder(to);
        if (refused)
            return refused;
    } else if (old) {
        take_out(old);
    }
    move_paths(from, to);
    if (named(options.flip_rename, from) && node->size > 0) {
        node->data[0] ^= 0xFF;
        note("flip %s 0\n", to);
    }
    changed("rename %s -> %s", from, to);
    return 0;
}

static int lab_chmod(const char* path, mode_t mode, struct fuse_file_info* fi)
{
    if (is_control(path))
        return 0;
    if (lab.pulled)
        return -EIO;
    struct node* node = handle_node(path, fi);
    if (!node)
        return -ENOENT;
    node->mode = (node->mode & S_IFMT) | (mode & 07777);
    return 0;
}

static int lab_truncate(const char* path, off_t size, struct fuse_file_info* fi)
{
    if (is_control(path))
        return 0; /* a shell's ">" empties it first */
    if (lab.pulled)
        return -EIO;
    struct node* node = handle_node(path, fi);
    if (!node)
        return -ENOENT;
    if (S_ISDIR(node->mode))
        return -EISDIR;
    resize(node, (size_t)size);
    changed("truncate %s %lld", node->path, (long long)size);
    return 0;
}

static int lab_utimens(const char* path, const struct timespec times[2], struct fuse_file_info* fi)
{
    if (is_control(path))
        return 0;
    if (lab.pulled)
        return -EIO;
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
    if (node && S_ISDIR(node->mode))
        return -EISDIR;
    struct handle* handle = calloc(1, sizeof *handle);
    if (!handle)
        abort();
    handle->node = node;
    handle->read_only = (fi->flags & O_ACCMODE) == O_RDONLY;
    if (node)
        node->opens++;
    else
        handle->answer = control_answer(&handle->answer_size);
    fi->fh = (uint64_t)(uintptr_t)handle;
    fi->direct_io = 1;
    return 0;
}

static int lab_open(const char* path, struct fuse_file_info* fi)
{
    if (is_control(path))
        return opened(NULL, fi);
    if (lab.pulled)
        return -EIO;
    struct node* node = find(path);
    return node ? opened(node, fi) : -ENOENT;
}

static int lab_create(const char* path, mode_t mode, struct fuse_file_info* fi)
{
    if (is_control(path))
        return opened(NULL, fi);
    if (lab.pulled)
        return -EIO;
    if (!parent_is_folder(path))
        return -ENOENT;
    struct node* node = find(path);
    if (node)
        return opened(node, fi);
    int refused = opened(add(path, S_IFREG | (mode & 07777)), fi);
    changed("create %s", path);
    return refused;
}

static int lab_release(const char* path, struct fuse_file_info* fi)
{
    (void)path;
    struct handle* handle = handle_of(fi);
    if (handle->node) {
        handle->node->opens--;
        release_node(handle->node);
    }
    free(handle->answer);
    free(handle);
    return 0;
}

static int read_answer(const struct handle* handle, char* buffer, size_t size, off_t offset)
{
    if ((size_t)offset >= handle->answer_size)
        return 0;
    if (size > handle->answer_size - (size_t)offset)
        size = handle->answer_size - (size_t)offset;
    memcpy(buffer, handle->answer + offset, size);
    return (int)size;
}

static int lab_read(const char* path, char* buffer, size_t size, off_t offset,
                    struct fuse_file_info* fi)
{
    (void)path;
    struct handle* handle = handle_of(fi);
    if (!handle->node)
        return read_answer(handle, buffer, size, offset);
    if (lab.pulled)
        return -EIO;
    struct node* node = handle->node;
    if (options.read_delay > 0)
        usleep((useconds_t)options.read_delay * 1000);
    size_t end = node->size;
    if (handle->read_only && named(options.fail_read, node->path)) {
        note("read-eio %s\n", node->path);
        return -EIO;
    }
    if (handle->read_only && named(options.short_read, node->path)) {
        end = node->size / 2;
        note("read-short %s %lld\n", node->path, (long long)offset);
    }
    if ((size_t)offset >= end)
        return 0;
    if (size > end - (size_t)offset)
        size = end - (size_t)offset;
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
        size_t differing = 0;
        for (size_t i = 0; i < length; ++i) {
            unsigned char byte = bytes[lo - start + i];
            differing += victim->data[offset + i] != byte;
            victim->data[offset + i] = byte;
        }
        note("wrap %s %llu %zu %zu\n", victim->path, (unsigned long long)offset, length, differing);
    }
}

/* Carries out one command of the control file; false for an unknown one. */
static int command(const char* line)
{
    unsigned long at = 0;
    char middle[16] = "";
    int fields = sscanf(line, "pull %lu %15s", &at, middle);
    if (fields >= 1) {
        size_t m = 0;
        while (m < sizeof middle_names / sizeof *middle_names && strcmp(middle, middle_names[m]))
            ++m;
        if (m == sizeof middle_names / sizeof *middle_names)
            return 0;
        lab.pull_at = at;
        lab.middle = (enum middle)m;
        lab.pulled = lab.pulled || at <= lab.changes;
    } else if (strcmp(line, "count") == 0) {
        lab.changes = 0;
        lab.list_size = 0;
    } else if (strcmp(line, "back") == 0) {
        lab.pulled = 0;
        lab.pull_at = 0;
        lab.middle = WHOLE;
    } else if (strcmp(line, "snapshot") == 0) {
        snapshot();
    } else if (strcmp(line, "restore") == 0) {
        restore();
    } else if (strncmp(line, "fail_read=", 10) == 0 || strncmp(line, "short_read=", 11) == 0) {
        char** glob = line[0] == 'f' ? &options.fail_read : &options.short_read;
        const char* value = strchr(line, '=') + 1;
        free(*glob);
        *glob = *value ? strdup(value) : NULL;
    } else {
        return 0;
    }
    return 1;
}

static int control_write(const char* buffer, size_t size)
{
    char line[4096];
    for (size_t start = 0; start < size;) {
        const char* end = memchr(buffer + start, '\n', size - start);
        size_t length = end ? (size_t)(end - buffer) - start : size - start;
        if (length >= sizeof line)
            return -EINVAL;
        memcpy(line, buffer + start, length);
        line[length] = '\0';
        if (length > 0 && !command(line))
            return -EINVAL;
        start += length + 1;
    }
    return (int)size;
}

static int lab_write(const char* path, const char* buffer, size_t size, off_t offset,
                     struct fuse_file_info* fi)
{
    (void)path;
    struct handle* handle = handle_of(fi);
    if (!handle->node)
        return control_write(buffer, size);
    if (lab.pulled)
        return -EIO;
    struct node* node = handle->node;
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
    changed("write %s %lld %zu", node->path, (long long)offset, size);
    return (int)size;
}

static int lab_fsync(const char* path, int datasync, struct fuse_file_info* fi)
{
    (void)datasync;
    if (is_control(path))
        return 0;
    if (lab.pulled)
        return -EIO;
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
    if (lab.pulled)
        return -EIO;
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
    /* No cache of the kernel answers for the card: after a restore or a
     * pull, every name and size is asked again. */
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
