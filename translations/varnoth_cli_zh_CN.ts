<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="zh_CN" sourcelanguage="en">
<context>
    <name>CommandLine</name>
    <message>
        <source>%1 See &apos;varnoth --help&apos; for the options.</source>
        <translation>%1 选项说明见 &apos;varnoth --help&apos;。</translation>
    </message>
    <message>
        <source>%1: no such file or folder</source>
        <translation>%1：没有这个文件或文件夹</translation>
    </message>
    <message>
        <source>expected a command; see &apos;varnoth --help&apos;</source>
        <translation>缺少命令；见 &apos;varnoth --help&apos;</translation>
    </message>
    <message>
        <source>%1: cannot read: %2</source>
        <translation>%1：无法读取：%2</translation>
    </message>
    <message>
        <source>standard input</source>
        <translation>标准输入</translation>
    </message>
    <message>
        <source>%1: no such file or folder (read from standard input)</source>
        <translation>%1：没有这个文件或文件夹（从标准输入读取）</translation>
    </message>
    <message>
        <source>the working folder</source>
        <translation>当前工作文件夹</translation>
    </message>
    <message>
        <source>--scan %1: expected a folder</source>
        <translation>--scan %1：应为文件夹</translation>
    </message>
    <message>
        <source>cannot sort %1: %2</source>
        <translation>无法分拣 %1：%2</translation>
    </message>
    <message>
        <source>; stopped, %1 not reached</source>
        <translation>；已停止，%1 个未处理</translation>
    </message>
    <message>
        <source>%1 file(s) have no recorded creation time; their modification time was compared</source>
        <translation>有 %1 个文件的创建时间未被文件系统记录，已按修改时间比较</translation>
    </message>
    <message>
        <source>sort by keywords; TEXT is split at spaces</source>
        <translation>按关键字分拣；TEXT 以空格分隔</translation>
    </message>
    <message>
        <source>sort by file name</source>
        <translation>按文件名分拣</translation>
    </message>
    <message>
        <source>with --by-name: only the characters FROM to TO of the name</source>
        <translation>与 --by-name 一起：只用文件名的第 FROM 到第 TO 个字符</translation>
    </message>
    <message>
        <source>with --by-name: cut these pieces, separated by *, out of the name</source>
        <translation>与 --by-name 一起：从文件名中去掉这些字符（多个以 * 分隔）</translation>
    </message>
    <message>
        <source>with --by-name: only files whose folder already exists</source>
        <translation>与 --by-name 一起：只分拣输出文件夹下已有对应目录的文件</translation>
    </message>
    <message>
        <source>sort by file type (extension)</source>
        <translation>按文件类型（扩展名）分拣</translation>
    </message>
    <message>
        <source>files larger than SIZE, a whole number and KB or MB</source>
        <translation>大于 SIZE 的文件，SIZE 为整数加 KB 或 MB</translation>
    </message>
    <message>
        <source>files smaller than SIZE, a whole number and KB or MB</source>
        <translation>小于 SIZE 的文件，SIZE 为整数加 KB 或 MB</translation>
    </message>
    <message>
        <source>files older than WHEN: YYYY-MM-DD [HH:MM[:SS]], local time</source>
        <translation>早于 WHEN 的文件：YYYY-MM-DD [HH:MM[:SS]]，本地时间</translation>
    </message>
    <message>
        <source>files newer than WHEN: YYYY-MM-DD [HH:MM[:SS]], local time</source>
        <translation>晚于 WHEN 的文件：YYYY-MM-DD [HH:MM[:SS]]，本地时间</translation>
    </message>
    <message>
        <source>pictures whose width is &gt;=N, &lt;=N or =N pixels</source>
        <translation>宽为 &gt;=N、&lt;=N 或 =N 像素的图片</translation>
    </message>
    <message>
        <source>pictures whose height is &gt;=N, &lt;=N or =N pixels</source>
        <translation>高为 &gt;=N、&lt;=N 或 =N 像素的图片</translation>
    </message>
    <message>
        <source>the output folder (required)</source>
        <translation>输出文件夹（必需）</translation>
    </message>
    <message>
        <source>move the files instead of copying them</source>
        <translation>移动文件，而不是复制</translation>
    </message>
    <message>
        <source>skip (default), overwrite, number or ask</source>
        <translation>skip（跳过，默认）、overwrite（覆盖）、number（自动编号）或 ask（询问）</translation>
    </message>
    <message>
        <source>only files of these comma-separated extensions</source>
        <translation>只分拣这些扩展名的文件（以逗号分隔）</translation>
    </message>
    <message>
        <source>all files but those of these comma-separated extensions</source>
        <translation>不分拣这些扩展名的文件（以逗号分隔）</translation>
    </message>
    <message>
        <source>add the paths of a list file</source>
        <translation>添加列表文件中的路径</translation>
    </message>
    <message>
        <source>add the files below DIR, the whole tree</source>
        <translation>添加 DIR 下所有子文件夹中的文件</translation>
    </message>
    <message>
        <source>with --scan: only N levels below DIR (0: its own files)</source>
        <translation>与 --scan 一起：只添加 DIR 下 N 级子文件夹（0：只有 DIR 本身的文件）</translation>
    </message>
    <message>
        <source>add paths read from standard input, one per line</source>
        <translation>添加从标准输入读取的路径，每行一个</translation>
    </message>
    <message>
        <source>with --stdin: the paths are separated by NUL</source>
        <translation>与 --stdin 一起：路径以 NUL 分隔</translation>
    </message>
    <message>
        <source>one JSON object per step on standard output</source>
        <translation>每一步在标准输出上写一个 JSON 对象</translation>
    </message>
    <message>
        <source>no progress and no summary</source>
        <translation>不显示进度和总结</translation>
    </message>
    <message>
        <source>run without writing a journal (no undo)</source>
        <translation>不写分拣记录（无法撤销）</translation>
    </message>
    <message>
        <source>show this help and exit</source>
        <translation>显示此帮助并退出</translation>
    </message>
    <message>
        <source>show the version and exit</source>
        <translation>显示版本并退出</translation>
    </message>
    <message>
        <source>
Other options:
</source>
        <translation>
其他选项：
</translation>
    </message>
    <message>
        <source>%1: expected %2</source>
        <translation>%1：应为%2</translation>
    </message>
    <message>
        <source>%1: given more than once</source>
        <translation>%1：给出了不止一次</translation>
    </message>
    <message>
        <source>no criterion</source>
        <translation>没有分拣条件</translation>
    </message>
    <message>
        <source>%1: only with %2</source>
        <translation>%1：只能与 %2 一起使用</translation>
    </message>
    <message>
        <source>--include, --exclude: expected only one of them</source>
        <translation>--include、--exclude：只能选其中一个</translation>
    </message>
    <message>
        <source>--include, --exclude: not with --width or --height; use --picture-types</source>
        <translation>--include、--exclude：不能与 --width 或 --height 一起使用；请用 --picture-types</translation>
    </message>
    <message>
        <source>--out: missing; expected the output folder</source>
        <translation>--out：缺少；应给出输出文件夹</translation>
    </message>
    <message>
        <source>one or more keywords separated by spaces</source>
        <translation>一个或多个以空格分隔的关键字</translation>
    </message>
    <message>
        <source>two whole numbers FROM-TO, such as 1-3</source>
        <translation>两个整数 FROM-TO，如 1-3</translation>
    </message>
    <message>
        <source>text in UTF-8</source>
        <translation>UTF-8 文本</translation>
    </message>
    <message>
        <source>a whole number followed by KB or MB, such as 100KB</source>
        <translation>整数后跟 KB 或 MB，如 100KB</translation>
    </message>
    <message>
        <source>a date YYYY-MM-DD, optionally with a time HH:MM[:SS]</source>
        <translation>日期 YYYY-MM-DD，可加时间 HH:MM[:SS]</translation>
    </message>
    <message>
        <source>&gt;=N, &lt;=N or =N, N a whole number of pixels</source>
        <translation>&gt;=N、&lt;=N 或 =N，N 为像素数（整数）</translation>
    </message>
    <message>
        <source>a comma-separated list of extensions, such as jpg,png</source>
        <translation>以逗号分隔的扩展名，如 jpg,png</translation>
    </message>
    <message>
        <source>a folder whose path is valid UTF-8</source>
        <translation>路径为有效 UTF-8 的文件夹</translation>
    </message>
    <message>
        <source>a folder, not a file</source>
        <translation>文件夹，而不是文件</translation>
    </message>
    <message>
        <source>--on-conflict ask: standard input must be a terminal for the questions</source>
        <translation>--on-conflict ask：标准输入必须是终端，才能回答询问</translation>
    </message>
    <message>
        <source>a whole number of levels, 0 or more</source>
        <translation>级数，0 或更大的整数</translation>
    </message>
    <message>
        <source>%1 of %2 files, %3 files/s, %4 left</source>
        <translation>%1/%2 个文件，每秒 %3 个，剩余 %4</translation>
    </message>
    <message>
        <source>%1 exists. Replace it? y: yes, n: no, a: yes to all, N: no to all </source>
        <translation>%1 已存在，是否覆盖？y：是，n：否，a：全部是，N：全部否 </translation>
    </message>
    <message>
        <source>%1: cannot write the journal there (%2); nothing was touched. Use --no-journal to sort without one (no undo).</source>
        <translation>%1：无法在此写入分拣记录（%2）；没有改动任何文件。用 --no-journal 可不写分拣记录进行分拣（无法撤销）。</translation>
    </message>
    <message>
        <source>history: expected no arguments</source>
        <translation>history：不接受参数</translation>
    </message>
    <message>
        <source>the run to undo: its identifier or short id, as &apos;varnoth history&apos; shows them</source>
        <translation>要撤销的分拣：&apos;varnoth history&apos; 列出的标识或短标识</translation>
    </message>
    <message>
        <source>undo: expected at most one RUN</source>
        <translation>undo：最多只能给出一个 RUN</translation>
    </message>
    <message>
        <source>left %1: %2</source>
        <translation>未撤销 %1：%2</translation>
    </message>
    <message>
        <source>left %1 (%2): %3</source>
        <translation>未撤销 %1（%2）：%3</translation>
    </message>
    <message>
        <source>%1: no such run; see &apos;varnoth history&apos;</source>
        <translation>%1：没有这次分拣；见 &apos;varnoth history&apos;</translation>
    </message>
    <message>
        <source>no run to undo</source>
        <translation>没有可撤销的分拣</translation>
    </message>
    <message>
        <source>%1: the run is still going on; nothing was touched</source>
        <translation>%1：这次分拣仍在进行；没有改动任何文件</translation>
    </message>
    <message>
        <source>%1: nothing to undo</source>
        <translation>%1：没有需要撤销的内容</translation>
    </message>
    <message>
        <source>%1: the undo could not be fully journaled (%2)</source>
        <translation>%1：撤销的记录未能全部写入（%2）</translation>
    </message>
    <message>
        <source>print the plan, one step a line, and touch nothing</source>
        <translation>列出计划，每行一步，不改动任何文件</translation>
    </message>
    <message>
        <source>%1: not owned by you, so its run journals cannot be trusted; nothing was touched</source>
        <translation>%1：不属于你，其中的分拣记录不可信；没有改动任何文件</translation>
    </message>
    <message>
        <source>%1: other users can write to it, so its run journals cannot be trusted; nothing was touched</source>
        <translation>%1：其他用户可以写入，其中的分拣记录不可信；没有改动任何文件</translation>
    </message>
    <message>
        <source>%1: not a plain file or folder (a symbolic link?), so it cannot be trusted; nothing was touched</source>
        <translation>%1：不是普通的文件或文件夹（符号链接？），不可信；没有改动任何文件</translation>
    </message>
    <message>
        <source>%1: nothing more can be undone, and no run before it is left to undo</source>
        <translation>%1：没有可以再撤销的内容，之前也没有可撤销的分拣</translation>
    </message>
    <message>
        <source>%1: nothing more can be undone; to undo the run before it: varnoth undo %2</source>
        <translation>%1：没有可以再撤销的内容；要撤销之前的那次分拣：varnoth undo %2</translation>
    </message>
    <message>
        <source>%1: partly undone before; trying again what was left</source>
        <translation>%1：之前已部分撤销；重试未能撤销的部分</translation>
    </message>
    <message>
        <source>%1: an undo of this run is in progress; nothing was touched</source>
        <translation>%1：这次分拣正在撤销；没有改动任何文件</translation>
    </message>
    <message>
        <source>%1: %2 damaged journal line(s) could not be read and were skipped</source>
        <translation>%1：分拣记录中有 %2 行已损坏，无法读取，已跳过</translation>
    </message>
    <message>
        <source>%1: files undone: %2, empty folders removed: %3, left: %4</source>
        <translation>%1：已撤销文件 %2 个，删除空文件夹 %3 个，未能撤销 %4 项</translation>
    </message>
    <message>
        <source>%1: sorted; this name now leads to another file, which was kept, so the sorted copy is the only copy of the original</source>
        <translation>%1：已分拣；该文件名现已指向另一个文件，该文件已保留，因此分拣出的副本是原文件仅有的一份</translation>
    </message>
    <message>
        <source>keywords in valid UTF-8</source>
        <translation>有效 UTF-8 编码的关键字</translation>
    </message>
    <message>
        <source>nothing to sort could be read</source>
        <translation>没有任何可读取的分拣内容</translation>
    </message>
    <message>
        <source>cannot be read</source>
        <translation>无法读取</translation>
    </message>
    <message>
        <source>%1 bytes, modified %2</source>
        <translation>%1 字节，修改于 %2</translation>
    </message>
    <message>
        <source>  existing: %1</source>
        <translation>  已存在的文件：%1</translation>
    </message>
    <message>
        <source>  new:      %1</source>
        <translation>  新的文件：    %1</translation>
    </message>
    <message>
        <source>            from %1</source>
        <translation>                来自 %1</translation>
    </message>
    <message>
        <source>  the same size; contents not compared (larger than 256 MB)</source>
        <translation>  两个文件大小相同，内容未比较（文件大于 256 MB）</translation>
    </message>
    <message>
        <source>  identical contents</source>
        <translation>  两个文件内容相同</translation>
    </message>
    <message>
        <source>  different contents</source>
        <translation>  两个文件内容不同</translation>
    </message>
    <message>
        <source>&apos;%1&apos; is not a command or a file; did you mean &apos;%2&apos;?</source>
        <translation>&apos;%1&apos; 既不是命令也不是文件；您是否想输入 &apos;%2&apos;？</translation>
    </message>
    <message>
        <source>&apos;%1&apos; is not a command or a file; see &apos;varnoth --help&apos;</source>
        <translation>&apos;%1&apos; 既不是命令也不是文件；见 &apos;varnoth --help&apos;</translation>
    </message>
    <message>
        <source>the window needs a display, and there is none (DISPLAY and WAYLAND_DISPLAY are not set); to sort without a window, see &apos;varnoth sort --help&apos;</source>
        <translation>窗口需要图形显示，但当前没有（DISPLAY 和 WAYLAND_DISPLAY 均未设置）；不打开窗口进行分拣，见 &apos;varnoth sort --help&apos;</translation>
    </message>
    <message>
        <source>no input files; give paths, --list, --scan or --stdin</source>
        <translation>没有输入文件；请给出路径、--list、--scan 或 --stdin</translation>
    </message>
    <message>
        <source>id</source>
        <translation>标识</translation>
    </message>
    <message>
        <source>start</source>
        <translation>开始时间</translation>
    </message>
    <message>
        <source>criterion</source>
        <translation>分拣方式</translation>
    </message>
    <message>
        <source>mode</source>
        <translation>复制或移动</translation>
    </message>
    <message>
        <source>placed</source>
        <translation>已分拣</translation>
    </message>
    <message>
        <source>left</source>
        <translation>因同名未处理</translation>
    </message>
    <message>
        <source>nomatch</source>
        <translation>不符合条件</translation>
    </message>
    <message>
        <source>failed</source>
        <translation>失败</translation>
    </message>
    <message>
        <source>state</source>
        <translation>状态</translation>
    </message>
    <message>
        <source>left by undo</source>
        <translation>撤销后剩余</translation>
    </message>
    <message>
        <source>short id</source>
        <translation>短标识</translation>
    </message>
    <message>
        <source>%1: more than one run has a short id that begins so; give one of these:</source>
        <translation>%1：不止一次分拣的短标识以此开头；请给出以下之一：</translation>
    </message>
    <message>
        <source>the file was changed after the sort</source>
        <translation>文件在分拣后已被改动</translation>
    </message>
    <message>
        <source>the file is no longer where the sort put it</source>
        <translation>文件已不在分拣放置的位置</translation>
    </message>
    <message>
        <source>another file is now where the file came from</source>
        <translation>原位置已有其他文件</translation>
    </message>
    <message>
        <source>the name of the replaced file is taken now</source>
        <translation>被覆盖文件的原名已被占用</translation>
    </message>
    <message>
        <source>the replaced file is no longer where it was kept (the trash may have been emptied)</source>
        <translation>被覆盖的文件已不在保存的位置（回收站可能已清空）</translation>
    </message>
    <message>
        <source>the folder is not empty</source>
        <translation>文件夹不是空的</translation>
    </message>
    <message>
        <source>the journal is incomplete, so the file cannot be told to be the sort&apos;s</source>
        <translation>分拣记录不完整，无法确认该文件</translation>
    </message>
    <message>
        <source>the file system refused</source>
        <translation>文件系统拒绝了操作</translation>
    </message>
    <message>
        <source>the journal names a place outside the sort&apos;s output folder; left alone</source>
        <translation>记录中的位置不在这次分拣的输出文件夹内，未处理</translation>
    </message>
    <message>
        <source>the trash record is not a plain file of yours; not removed</source>
        <translation>回收站中的记录文件不属于当前用户或不是普通文件，未删除</translation>
    </message>
    <message>
        <source>with --dry-run or --json: leave out the steps that change nothing</source>
        <translation>与 --dry-run 或 --json 同用：不列出不做任何改动的步骤</translation>
    </message>
    <message>
        <source>filtered</source>
        <translation>已过滤</translation>
    </message>
    <message>
        <source>identical</source>
        <translation>内容相同</translation>
    </message>
    <message>
        <source>%1 failed, %2 placed, %3 left as they were, %4 identical, %5 filtered, %6 not matching</source>
        <translation>失败 %1 个，已分拣 %2 个，因同名未处理 %3 个，内容相同 %4 个，已过滤 %5 个，不符合条件 %6 个</translation>
    </message>
    <message>
        <source>%1: not moved; a file of the same contents already holds its name, so it stays where it is</source>
        <translation>%1：未移动；目标位置已有内容相同的同名文件，因此该文件仍在原处</translation>
    </message>
    <message>
        <source>leave a file alone when a file of the same contents already holds its name</source>
        <translation>目标位置已有内容相同的同名文件时不处理该文件</translation>
    </message>
    <message>
        <source>plan: %1 to fail, %2 to place, %3 to leave as they are, %4 identical, %5 filtered, %6 not matching; nothing was touched</source>
        <translation>计划：无法处理 %1 个，将分拣 %2 个，因同名不处理 %3 个，内容相同 %4 个，已过滤 %5 个，不符合条件 %6 个；没有改动任何文件</translation>
    </message>
    <message>
        <source>%1: no taken date; its modification time was used</source>
        <translation>%1：没有记录拍摄时间，已按修改时间处理</translation>
    </message>
    <message>
        <source>with --before, --after or --by-date: use the creation time</source>
        <translation>与 --before、--after 或 --by-date 一起：使用创建时间</translation>
    </message>
    <message>
        <source>with --before or --after: use the taken time of photos and videos</source>
        <translation>与 --before 或 --after 一起：使用照片和视频的拍摄时间</translation>
    </message>
    <message>
        <source>with --before, --after or --by-date: use the modification time</source>
        <translation>与 --before、--after 或 --by-date 一起：使用修改时间</translation>
    </message>
    <message>
        <source>into folders named by each file&apos;s taken time: %Y year, %m month, %d day, / levels</source>
        <translation>按每个文件的拍摄时间归入文件夹：%Y 年，%m 月，%d 日，/ 分隔层级</translation>
    </message>
    <message>
        <source>with --width or --height: jpg,bmp,gif,png,tif,webp,heic,heif,avif (default: all)</source>
        <translation>与 --width 或 --height 一起：jpg,bmp,gif,png,tif,webp,heic,heif,avif（默认全部）</translation>
    </message>
    <message>
        <source>%1: expected exactly one of --keywords, --by-name, --by-type, --larger, --smaller, --before, --after, --width, --height, --by-date</source>
        <translation>%1：--keywords、--by-name、--by-type、--larger、--smaller、--before、--after、--width、--height、--by-date 中应恰好选一个</translation>
    </message>
    <message>
        <source>%1: expected only one of them</source>
        <translation>%1：只能选其中一个</translation>
    </message>
    <message>
        <source>a pattern in valid UTF-8</source>
        <translation>有效 UTF-8 的格式</translation>
    </message>
    <message>
        <source>a comma-separated list of jpg, bmp, gif, png, tif, webp, heic, heif, avif</source>
        <translation>以逗号分隔的 jpg、bmp、gif、png、tif、webp、heic、heif、avif</translation>
    </message>
    <message>
        <source>presets: expected no arguments</source>
        <translation>presets：不接受参数</translation>
    </message>
    <message>
        <source>There are no saved sorts; save one with &apos;varnoth sort --save-preset NAME ...&apos;.</source>
        <translation>还没有保存的方案；可用 &apos;varnoth sort --save-preset NAME ...&apos; 保存一个。</translation>
    </message>
    <message>
        <source>The saved sorts are:</source>
        <translation>已保存的方案：</translation>
    </message>
    <message>
        <source>no saved sort of that name.</source>
        <translation>没有这个名称的方案。</translation>
    </message>
    <message>
        <source>%1 cannot be read: %2</source>
        <translation>无法读取 %1：%2</translation>
    </message>
    <message>
        <source>%1 cannot be written: %2</source>
        <translation>无法写入 %1：%2</translation>
    </message>
    <message>
        <source>%1 has no key %2</source>
        <translation>%1 中没有 %2</translation>
    </message>
    <message>
        <source>%1: the value &apos;%2&apos; of %3 cannot be read</source>
        <translation>%1：%3 的值 &apos;%2&apos; 无效</translation>
    </message>
    <message>
        <source>the value &apos;%1&apos; of %2 cannot be kept: it has blanks at its ends or a line break</source>
        <translation>%2 的值 &apos;%1&apos; 无法保存：首尾有空白或含有换行</translation>
    </message>
    <message>
        <source>save the sort options (not the inputs) as the saved sort NAME, then sort the inputs</source>
        <translation>将分拣选项（不含输入文件）保存为方案 NAME，然后分拣输入的文件</translation>
    </message>
    <message>
        <source>
--dry-run writes one line per step: action, source, destination and reason,
separated by tabs, then a summary line.
history writes one line per run: identifier, start, criterion, copy or move, the
counts placed, left, nomatch and failed, the state, what the last undo left, the
short id, the count filtered and the count identical, separated by tabs; on a
terminal, a header line comes first. RUN is an identifier or a short id.
presets writes one line per saved sort: name, criterion and output folder,
separated by tabs.

Exit status: 0 done, 1 some file failed (undo: something was left), 2 wrong
arguments or unreadable input (undo: no such run, a short id of more than one run,
nothing to undo or a journal that cannot be trusted), 128+N ended by signal N.
</source>
        <translation>
--dry-run 每一步写一行：动作、源文件、目标文件和说明，以制表符分隔，最后写一行总结。
history 每次分拣写一行：标识、开始时间、分拣方式、复制或移动，已分拣（placed）、
因同名未处理（left）、不符合条件（nomatch）和失败（failed）的个数，状态，上次撤销
未能撤销的项数，短标识，已过滤（filtered）的个数，以及内容相同（identical）的个数，
以制表符分隔；在终端上先写一行标题。RUN 为标识或短标识。
presets 每个方案写一行：名称、分拣方式和输出文件夹，以制表符分隔。

退出状态：0 完成，1 有文件失败（undo：有文件未能撤销），2 参数错误或输入无法读取
（undo：没有这次分拣、短标识对应不止一次分拣、没有需要撤销的内容或分拣记录不可信），
128+N 被信号 N 终止。
</translation>
    </message>
    <message>
        <source>sort as the saved sort NAME; the other options given override its values</source>
        <translation>按方案 NAME 分拣；给出的其他选项覆盖方案中的值</translation>
    </message>
    <message>
        <source>expected a name in valid UTF-8 of at most 200 bytes, without &apos;/&apos;, NUL or line breaks</source>
        <translation>名称应为有效的 UTF-8，不超过 200 字节，不能含有 &apos;/&apos;、NUL 或换行</translation>
    </message>
    <message>
        <source>--out: missing; the saved sort holds no absolute output folder</source>
        <translation>--out：缺少；方案中没有绝对路径的输出文件夹</translation>
    </message>
    <message>
        <source>without RUN: the newest run may also be a batch of a watched folder</source>
        <translation>不给 RUN 时：最近一次也可以是监视文件夹的一批</translation>
    </message>
    <message>
        <source>origin</source>
        <translation>来源</translation>
    </message>
    <message>
        <source>skipped %1 newer batch(es) of watched folders; use &apos;varnoth undo --watch&apos; or &apos;varnoth undo RUN&apos; to undo one</source>
        <translation>跳过了 %1 批更新的监视文件夹分拣；要撤销其中一批，请用 &apos;varnoth undo --watch&apos; 或 &apos;varnoth undo RUN&apos;</translation>
    </message>
    <message>
        <source>%1: cannot tell where this folder is</source>
        <translation>%1：无法确定这个文件夹的位置</translation>
    </message>
    <message>
        <source>Usage:
  varnoth [PATH...]                   open the window with PATHs in the file list
  varnoth sort [OPTION...] [PATH...]  sort without a window
  varnoth history                     list the journaled runs, newest first
  varnoth undo [--watch] [RUN]        undo the last run not yet undone, or RUN
  varnoth presets                     list the saved sorts
  varnoth watch [OPTION...] FOLDER... sort what arrives in FOLDERs until stopped
  varnoth --help | --version

A PATH that is a folder adds the files in it. Exactly one of --keywords, --by-name, --by-type,
--larger, --smaller, --before, --after, --width, --height and --by-date chooses how to sort,
unless --preset names a saved sort.
sort needs at least one PATH, --list, --scan or --stdin, unless it only saves (--save-preset).
Only the window needs a display.

Options of sort:
</source>
        <translation>用法：
  varnoth [PATH...]                   打开窗口，文件列表中为 PATH
  varnoth sort [OPTION...] [PATH...]  不打开窗口进行分拣
  varnoth history                     列出分拣记录，最新的在前
  varnoth undo [--watch] [RUN]        撤销最近一次未撤销的分拣，或撤销 RUN
  varnoth presets                     列出已保存的方案
  varnoth watch [OPTION...] FOLDER... 分拣到达 FOLDER 的文件，直到被停止
  varnoth --help | --version

PATH 为文件夹时添加其中的文件。--keywords、--by-name、--by-type、--larger、--smaller、
--before、--after、--width、--height 和 --by-date 中恰好选一个，决定分拣方式，
除非 --preset 给出了已保存的方案。
sort 至少需要一个 PATH、--list、--scan 或 --stdin，只保存方案（--save-preset）时除外。
只有窗口需要图形显示。

sort 的选项：
</translation>
    </message>
    <message>
        <source>
Options of watch, besides those of sort but --dry-run, --list, --scan and --stdin
(--depth: levels of sub-folders watched, default 0):
</source>
        <translation>
watch 的选项，以及除 --dry-run、--list、--scan 和 --stdin 以外的 sort 选项
（--depth：监视的子文件夹层数，默认 0）：
</translation>
    </message>
    <message>
        <source>%1: lies in the output folder, whose files are never taken</source>
        <translation>%1：位于输出文件夹中，其中的文件从不被处理</translation>
    </message>
    <message>
        <source>%1: cannot watch this folder (%2)</source>
        <translation>%1：无法监视这个文件夹（%2）</translation>
    </message>
    <message>
        <source>no watched folder is left</source>
        <translation>已没有被监视的文件夹</translation>
    </message>
    <message>
        <source>%1: the watched folder was removed or unmounted; the others are still watched</source>
        <translation>%1：被监视的文件夹已删除或已卸载；其他文件夹仍在监视</translation>
    </message>
    <message>
        <source>too many files arrived at once to follow each; looking at the folders again</source>
        <translation>同时到达的文件太多，无法逐个跟踪；重新查看各文件夹</translation>
    </message>
    <message>
        <source>watch: leave the files already in the folders alone</source>
        <translation>watch：不处理文件夹中已有的文件</translation>
    </message>
    <message>
        <source>watch: with --preset, keep the FOLDERs in that saved sort as the folders it watches, and exit</source>
        <translation>watch：与 --preset 一起：把 FOLDER 保存为该方案监视的文件夹，然后退出</translation>
    </message>
    <message>
        <source>watch: take a file once it has been quiet this long (default 5)</source>
        <translation>watch：文件静止这么多秒后才处理（默认 5）</translation>
    </message>
    <message>
        <source>--%1 is not an option of watch</source>
        <translation>--%1 不是 watch 的选项</translation>
    </message>
    <message>
        <source>--save: expected --preset NAME and the FOLDERs it is to watch</source>
        <translation>--save：需要 --preset NAME 和要监视的 FOLDER</translation>
    </message>
    <message>
        <source>watch: no folder to watch; give FOLDERs, or keep them in the saved sort with &apos;varnoth watch --preset NAME --save FOLDER...&apos;</source>
        <translation>watch：没有要监视的文件夹；请给出 FOLDER，或用 &apos;varnoth watch --preset NAME --save FOLDER...&apos; 保存在方案中</translation>
    </message>
    <message>
        <source>--settle: expected a whole number of seconds, 0 to %1</source>
        <translation>--settle：应为 0 到 %1 之间的整秒数</translation>
    </message>
    <message>
        <source>--preset: the same saved sort given more than once</source>
        <translation>--preset：同一个方案给出了不止一次</translation>
    </message>
    <message>
        <source>%1: not with more than one --preset</source>
        <translation>%1：不能与多个 --preset 同时使用</translation>
    </message>
</context>
<context>
    <name>QCommandLineParser</name>
    <message>
        <source>Unknown option &apos;%1&apos;.</source>
        <translation>未知选项 &apos;%1&apos;。</translation>
    </message>
    <message>
        <source>Unknown options: %1.</source>
        <translation>未知选项：%1。</translation>
    </message>
    <message>
        <source>Missing value after &apos;%1&apos;.</source>
        <translation>&apos;%1&apos; 之后缺少值。</translation>
    </message>
    <message>
        <source>Unexpected value after &apos;%1&apos;.</source>
        <translation>&apos;%1&apos; 之后不应有值。</translation>
    </message>
</context>
</TS>
